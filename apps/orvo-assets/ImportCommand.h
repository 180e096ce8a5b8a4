#pragma once

// import: icon folders as bitmap sets, as the Assets Manager's folder import makes them.
void RegisterImportCommand();

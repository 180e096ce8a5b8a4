#include "ORVO.Designer.Version.h"

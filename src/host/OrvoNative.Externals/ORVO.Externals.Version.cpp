#include "ORVO.Externals.Version.h"

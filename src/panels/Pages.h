#pragma once

// The six pages of the operation panel, each in its own files.
#include "ColorBarPage.h"
#include "ContourPage.h"
#include "DataValuePage.h"
#include "DirectionPage.h"
#include "DisplayPage.h"
#include "OperationPage.h"

#pragma once

// The six pages of the operation panel, each in its own files.
#include "panels/ColorBarPage.h"
#include "panels/ContourPage.h"
#include "panels/DataValuePage.h"
#include "panels/DirectionPage.h"
#include "panels/DisplayPage.h"
#include "panels/OperationPage.h"

#pragma once

#include <vector>

#include "valuelist/ValueList.h"

class QPrinter;

// Prints the rows on printer, one line per row with the cells as shown, in the printer's
// default font and device units (see LayoutPrintPages). False when the job cannot start.
bool PrintValueRows(QPrinter& printer, const std::vector<CValueRow>& rows);

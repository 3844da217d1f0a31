#pragma once

#include <cstdio>
#include <string>
#include <vector>

// "kzv batch": pictures and tables of many data sets from the command line, with no display.
// Each invocation handles its arguments on its own, so a campaign can be spread over
// processes and machines by any job runner.

namespace kzv {

struct CBatchOptions {
    std::vector<std::string> inputs;  // data-set folders or data folders
    std::string outputFolder = ".";
    std::string settingsFile;       // empty: the defaults
    std::vector<int> directions;    // empty: every direction of each data set
    std::string quantity = "mean";  // the table shown (ValueQuantityKey)
    std::string envelope;           // "max", "min", "absmax": the envelope instead of directions
    int width = 800;                // the window's size the picture is drawn for
    int height = 600;
    int scale = 1;  // 1..4
    bool png = true;
    bool csv = true;
    bool tolvex = true;
    bool tolvexAsked = false;  // named on the command line (not only by default)
    bool force = false;
    bool help = false;
    bool version = false;
};

// Reads the arguments after "batch". False with a one-line reason for a usage error.
bool ParseBatchArguments(const std::vector<std::string>& args, CBatchOptions& options,
                         std::string& error);

// The --help text.
std::string BatchHelpText();

// The names of a data set's outputs: "<name>_d<index>.png" / ".csv" (the index zero-padded to
// the digits of the largest index, at least two) and "<name>_tolvex.csv". For a quantity other
// than the mean, name is BatchStem's "<name>_<quantity>"; an envelope's picture and table are
// "<stem>_env<kind>.png" / ".csv" (BatchEnvelopeName).
std::string BatchOutputName(const std::string& dataSetName, int direction, int directionCount,
                            const char* extension);
std::string BatchTolvexName(const std::string& dataSetName);
std::string BatchStem(const std::string& dataSetName, const std::string& quantity);
std::string BatchEnvelopeName(const std::string& stem, const std::string& envelope,
                              const char* extension);

// Makes every output (a QApplication must exist). One line per output on log; returns the exit
// status: 0 when every output was written, 1 when any failed.
int RunBatch(const CBatchOptions& options, std::FILE* log);

// The whole sub-command: arguments after "batch"; sets up Qt without a display.
int BatchMain(int argc, char** argv, const char* version);

}  // namespace kzv

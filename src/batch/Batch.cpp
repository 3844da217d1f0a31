#include "batch/Batch.h"

#include <sys/stat.h>
#include <QApplication>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "dataset/DataSearch.h"
#include "dataset/DataSetLoad.h"
#include "field/Compass.h"
#include "field/QuantityKeys.h"
#include "field/ShownValues.h"
#include "io/Sha256.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "state/SettingsFile.h"
#include "state/Sidecar.h"
#include "state/StateOwner.h"
#include "valuelist/ValueListExport.h"
#include "view/KZ_VView.h"

namespace kzv {

namespace {

constexpr int kMaxPictureSide = 16384;

bool ParseInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = std::atoi(text.c_str());
    return true;
}

// "all", or indices and ranges: "0,4,8-11".
bool ParseDirections(const std::string& text, std::vector<int>& directions) {
    directions.clear();
    if (text == "all") {
        return true;
    }
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const size_t dash = item.find('-');
        int first = 0;
        int last = 0;
        if (dash == std::string::npos
                ? !ParseInt(item, first)
                : !ParseInt(item.substr(0, dash), first) ||
                      !ParseInt(item.substr(dash + 1), last) || last < first) {
            return false;
        }
        if (dash == std::string::npos) {
            last = first;
        }
        if (last - first > 100000) {
            return false;
        }
        for (int d = first; d <= last; ++d) {
            if (std::find(directions.begin(), directions.end(), d) == directions.end()) {
                directions.push_back(d);
            }
        }
        start = comma + 1;
    }
    return !directions.empty();
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The run's log: one line per output, or per input that yields none.
class CProgress {
public:
    explicit CProgress(std::FILE* log) : m_log(log) {}
    void Wrote(const std::string& path) {
        std::fprintf(m_log, "kzv batch: wrote %s\n", path.c_str());
    }
    void Skipped(const std::string& path, const std::string& why) {
        std::fprintf(m_log, "kzv batch: skipped %s: %s\n", path.c_str(), why.c_str());
    }
    // Something the user should know that fails no output (one line).
    void Note(const std::string& what, std::string why) {
        std::replace(why.begin(), why.end(), '\n', ' ');
        std::fprintf(m_log, "kzv batch: note %s: %s\n", what.c_str(), why.c_str());
    }
    void Failed(const std::string& what, const std::string& why) {
        std::fprintf(m_log, "kzv batch: failed %s: %s\n", what.c_str(), why.c_str());
        m_bFailed = true;
    }
    bool AnyFailed() const { return m_bFailed; }

private:
    std::FILE* m_log;
    bool m_bFailed = false;
};

class CBatchRun {
public:
    CBatchRun(const CBatchOptions& options, std::FILE* log)
        : m_options(options), m_progress(log), m_view(m_owner) {
        m_view.resize(options.width, options.height);
    }

    int Run() {
        if (!m_options.settingsFile.empty()) {
            m_settingsPath = Absolute(m_options.settingsFile);
            std::string digest;  // read once here to fail before any data set
            if (!Sha256OfFile(m_settingsPath, digest)) {
                m_progress.Failed(m_options.settingsFile, "the settings file cannot be read");
                return 1;
            }
        }
        if (!IsDirectory(m_options.outputFolder)) {
            m_progress.Failed(m_options.outputFolder, "the output folder does not exist");
            return 1;
        }
        for (const std::string& input : m_options.inputs) {
            const std::vector<std::string> sets = DataSetsOf(input);
            for (const std::string& folder : sets) {
                MakeOutputs(folder);
            }
        }
        return m_progress.AnyFailed() ? 1 : 0;
    }

private:
    // A folder with a "header" is a data set; any other folder is a data folder whose data
    // sets are taken in their listed order.
    std::vector<std::string> DataSetsOf(const std::string& input) {
        const std::string folder = WithSlash(Absolute(input));
        if (!IsDirectory(folder)) {
            m_progress.Failed(input, "not a folder");
            return {};
        }
        if (Exists(folder + "header")) {
            return {folder};
        }
        std::vector<std::string> sets;
        for (const ListedDataSet& set : ListDataSetsMarkingBroken(folder)) {
            if (set.headerReadable) {
                sets.push_back(folder + set.name + "/");
            } else {
                m_progress.Failed(folder + set.name + "/",
                                  "the data set's \"header\" cannot be read");
            }
        }
        if (sets.empty()) {
            m_progress.Failed(input,
                              "neither a data set (no \"header\") nor a folder of data sets");
        }
        return sets;
    }

    // Claims an output path for this run: false (reported) when it exists and --force was not
    // given, or when an earlier data set of this run already wrote it (same name elsewhere).
    bool Claim(const std::string& path) {
        if (!m_claimed.insert(path).second) {
            m_progress.Failed(path, "another data set of this run has the same name");
            return false;
        }
        if (!m_options.force && (Exists(path) || Exists(path + SIDECAR_EXTENSION))) {
            m_progress.Failed(path, "exists (--force replaces it)");
            return false;
        }
        return true;
    }

    CSidecarInfo Sidecar(CSidecarKind kind) const {
        CSidecarInfo info;
        info.kind = kind;
        info.time = SidecarTimeNow();
        if (kind == CSidecarKind::Picture) {
            info.pictureScale = m_options.scale;
            info.pictureWidth = m_view.ClientWidth() * m_options.scale;
            info.pictureHeight = m_view.ClientHeight() * m_options.scale;
        }
        return info;
    }

    // The output written (by write, which sets error on failure), then its sidecar.
    template <class Write>
    void Output(const std::string& path, CSidecarKind kind, Write write) {
        if (!Claim(path)) {
            return;
        }
        std::string error;
        if (!write(error)) {
            m_progress.Failed(path, error.empty() ? "cannot be written" : error);
            return;
        }
        if (!WriteSidecar(path, m_owner.State(), Sidecar(kind), &error)) {
            m_progress.Failed(path + SIDECAR_EXTENSION, error);
            return;
        }
        m_progress.Wrote(path);
    }

    void MakeOutputs(const std::string& folder) {
        const std::string name = DataSetName(folder);
        CHeaderFile header;
        if (!header.Read((folder + "header").c_str())) {
            m_progress.Failed(folder, "the data set's \"header\" cannot be read");
            return;
        }
        m_view.LoadDataSetFrom(folder, header);
        const CViewState& state = m_owner.State();
        if (!state.m_data.m_strLoadReport.empty()) {
            m_progress.Note(folder, "read in part: " + state.m_data.m_strLoadReport);
        }
        if (!m_settingsPath.empty() && !ApplySettings()) {
            m_progress.Failed(folder, std::string(MSG_SETTINGS_READ_FAILED) + " (" +
                                          m_options.settingsFile + ")");
            return;
        }
        const int count = state.m_data.m_cp.m_nDirectionCount;
        const std::string out = WithSlash(m_options.outputFolder);
        if (ShowQuantity(folder)) {
            const std::string stem = BatchStem(name, m_options.quantity);
            if (m_options.envelope.empty()) {
                MakeDirectionOutputs(folder, out + stem, count);
            } else {
                MakeEnvelopeOutputs(out + stem);
            }
        }
        if (m_options.tolvex) {
            // The 16-direction file holds the mean, whatever is shown.
            const std::string path = out + BatchTolvexName(name);
            if (!CanWriteTolvex(state.Points())) {
                if (m_options.tolvexAsked) {
                    m_progress.Failed(path, MSG_TOLVEX_EIGHT_DIRECTIONS);
                } else {
                    m_progress.Skipped(path, MSG_TOLVEX_EIGHT_DIRECTIONS);
                }
            } else {
                Output(path, CSidecarKind::Tolvex, [&](std::string& error) {
                    return WriteTolvexFile(TapRows(), state.Points(), state.m_nBuildingAngleStep,
                                           path, &error) == CExportResult::Written;
                });
            }
        }
    }

    // Shows the quantity and envelope asked for; false (reported) when the data set lacks the
    // quantity's table.
    bool ShowQuantity(const std::string& folder) {
        EValueQuantity q = EValueQuantity::Mean;
        ValueQuantityFromKey(m_options.quantity, q);
        if (q != EValueQuantity::Mean && !m_owner.State().m_data.m_tables.Has(q)) {
            m_progress.Failed(folder, std::string("the data set has no ") +
                                          ValueQuantityFileName(q) + " (--quantity " +
                                          m_options.quantity + ")");
            return false;
        }
        auto edit = m_owner.Edit(ASPECT_DIRECTION);
        edit->m_settings.m_nQuantity = static_cast<int>(q);
        edit->m_settings.m_nEnvelope = EnvelopeFromKey(m_options.envelope);
        return true;
    }

    // A picture and a table per direction asked for.
    void MakeDirectionOutputs(const std::string& folder, const std::string& stem, int count) {
        std::vector<int> directions = m_options.directions;
        if (directions.empty()) {
            for (int d = 0; d < count; ++d) {
                directions.push_back(d);
            }
        }
        std::vector<int> present;
        for (const int d : directions) {
            if (d < count) {
                present.push_back(d);
            } else {
                m_progress.Failed(folder + " direction " + std::to_string(d),
                                  "the data set has directions 0 to " + std::to_string(count - 1));
            }
        }
        if (m_options.png) {
            for (const int d : present) {
                m_owner.Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = d;
                const std::string path = BatchOutputName(stem, d, count, "png");
                Output(path, CSidecarKind::Picture, [&](std::string& error) {
                    return m_view.SavePng(path, &error, m_options.scale);
                });
            }
        }
        if (m_options.csv) {
            for (const int d : present) {
                m_owner.Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = d;
                const std::string path = BatchOutputName(stem, d, count, "csv");
                Output(path, CSidecarKind::Csv, [&](std::string& error) {
                    return WriteCsvFile(TapRows(), path, &error) == CExportResult::Written;
                });
            }
        }
    }

    // The envelope's picture and table.
    void MakeEnvelopeOutputs(const std::string& stem) {
        if (m_options.png) {
            const std::string path = BatchEnvelopeName(stem, m_options.envelope, "png");
            Output(path, CSidecarKind::Picture, [&](std::string& error) {
                return m_view.SavePng(path, &error, m_options.scale);
            });
        }
        if (m_options.csv) {
            const std::string path = BatchEnvelopeName(stem, m_options.envelope, "csv");
            Output(path, CSidecarKind::Csv, [&](std::string& error) {
                return WriteCsvFile(TapRows(), path, &error) == CExportResult::Written;
            });
        }
    }

    // A value-list row for every tap of the data set, in file order, with the value shown (of
    // the direction, or the envelope): the rows the window's list shows for picked taps, also for
    // taps that share their position with another (which the window lists once).
    std::vector<CValueRow> TapRows() const {
        const CDataSet& data = m_owner.State().m_data;
        const CShownValues shown = ShownValuesOf(data, m_owner.State().m_settings);
        std::vector<CValueRow> rows;
        rows.reserve(data.m_taps.m_aTapNo.size());
        for (size_t i = 0; i < data.m_taps.m_aTapNo.size(); ++i) {
            const int tap = data.m_taps.m_aTapNo[i];
            const CVector4& p = data.m_taps.m_aPos[i];
            rows.push_back(
                MakePointRow(tap, p.x, p.y, p.z, ShownValueOfTap(data, shown, tap).value));
        }
        return rows;
    }

    // The settings file as the window's command applies it: the settings, then the direction
    // (wrapped into the data set's) and the building turned to the file's step.
    bool ApplySettings() {
        return ApplySettingsFile(m_settingsPath, *m_owner.Edit(ASPECT_DISPLAY | ASPECT_POSITIONS));
    }

    const CBatchOptions& m_options;
    CProgress m_progress;
    CStateOwner m_owner;
    CKZ_VView m_view;
    std::string m_settingsPath;
    std::set<std::string> m_claimed;
};

}  // namespace

bool ParseBatchArguments(const std::vector<std::string>& args, CBatchOptions& options,
                         std::string& error) {
    options = CBatchOptions();
    bool outputsNamed = false;
    bool png = false, csv = false, tolvex = false;
    bool endOfOptions = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::string value;
        bool hasValue = false;
        if (!endOfOptions && arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            value = arg.substr(arg.find('=') + 1);
            arg = arg.substr(0, arg.find('='));
            hasValue = true;
        }
        // An option's value: after '=' or as the next argument.
        auto takeValue = [&]() -> bool {
            if (hasValue) {
                return true;
            }
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (endOfOptions || arg.empty() || arg[0] != '-' || arg == "-") {
            options.inputs.push_back(args[i]);
        } else if (arg == "--") {
            endOfOptions = true;
        } else if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "-f" || arg == "--force") {
            options.force = true;
        } else if (arg == "--png" || arg == "--csv" || arg == "--tolvex") {
            outputsNamed = true;
            (arg == "--png" ? png : arg == "--csv" ? csv : tolvex) = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!takeValue()) {
                return false;
            }
            options.outputFolder = value;
        } else if (arg == "-s" || arg == "--settings") {
            if (!takeValue()) {
                return false;
            }
            options.settingsFile = value;
        } else if (arg == "-d" || arg == "--directions") {
            if (!takeValue()) {
                return false;
            }
            if (!ParseDirections(value, options.directions)) {
                error = "--directions takes \"all\" or indices from 0 such as 0,4,8-11, not \"" +
                        value + "\"";
                return false;
            }
        } else if (arg == "-q" || arg == "--quantity") {
            if (!takeValue()) {
                return false;
            }
            EValueQuantity q = EValueQuantity::Mean;
            if (!ValueQuantityFromKey(value, q) || q == EValueQuantity::Difference) {
                error = "--quantity takes mean, max, min, rms, peakmax or peakmin, not \"" + value +
                        "\"";
                return false;
            }
            options.quantity = value;
        } else if (arg == "-e" || arg == "--envelope") {
            if (!takeValue()) {
                return false;
            }
            if (EnvelopeFromKey(value) == ENVELOPE_NONE) {
                error = "--envelope takes max, min or absmax, not \"" + value + "\"";
                return false;
            }
            options.envelope = value;
        } else if (arg == "--size") {
            if (!takeValue()) {
                return false;
            }
            const size_t x = value.find('x');
            if (x == std::string::npos || !ParseInt(value.substr(0, x), options.width) ||
                !ParseInt(value.substr(x + 1), options.height) || options.width < 16 ||
                options.height < 16 || options.width > kMaxPictureSide ||
                options.height > kMaxPictureSide) {
                error = "--size takes WIDTHxHEIGHT in pixels, each 16 to " +
                        std::to_string(kMaxPictureSide) + ", not \"" + value + "\"";
                return false;
            }
        } else if (arg == "--scale") {
            if (!takeValue()) {
                return false;
            }
            if (!ParseInt(value, options.scale) || options.scale < 1 || options.scale > 4) {
                error = "--scale takes 1, 2, 3 or 4, not \"" + value + "\"";
                return false;
            }
        } else {
            error = "unknown option " + arg;
            return false;
        }
        if (hasValue && (arg == "-h" || arg == "--help" || arg == "--version" || arg == "--force" ||
                         arg == "--png" || arg == "--csv" || arg == "--tolvex")) {
            error = "option " + arg + " takes no value";
            return false;
        }
    }
    if (outputsNamed) {
        options.png = png;
        options.csv = csv;
        options.tolvex = tolvex;
        options.tolvexAsked = tolvex;
    }
    if (!options.help && !options.version && options.inputs.empty()) {
        error = "no data set named";
        return false;
    }
    return true;
}

std::string BatchHelpText() {
    return "Usage: kzv batch [OPTION]... FOLDER...\n"
           "Writes pictures and tables of data sets without a display.\n"
           "\n"
           "Each FOLDER is a data set (a folder holding \"header\") or a data folder, whose\n"
           "data sets are all taken. For every data set and direction it writes\n"
           "  NAME_dNN.png     the view's picture\n"
           "  NAME_dNN.csv     every tap: No, X, Y, Z and the value of the direction\n"
           "  NAME_tolvex.csv  every tap in the 16-direction file (16 directions or more)\n"
           "and beside each output a record of how it was made, OUTPUT.json.\n"
           "\n"
           "  -o, --output=DIR       write into DIR (default: the current folder)\n"
           "  -s, --settings=FILE    apply a display-settings file (.set); defaults otherwise\n"
           "  -d, --directions=LIST  all (default), or indices from 0: 0,4,8-11\n"
           "  -q, --quantity=NAME    the table shown: mean (default), max, min, rms,\n"
           "                         peakmax, peakmin (NAME_QUANTITY_dNN...; a data set\n"
           "                         without that table fails)\n"
           "  -e, --envelope=KIND    the envelope over every direction instead, max, min or\n"
           "                         absmax: one picture and table, NAME_envKIND.png/.csv\n"
           "      --size=WxH         the window size the picture is drawn for (default 800x600)\n"
           "      --scale=N          the picture at N (1 to 4) times that size (default 1)\n"
           "      --png, --csv, --tolvex\n"
           "                         write only these outputs (default: all three)\n"
           "  -f, --force            replace outputs that exist (default: fail for them)\n"
           "  -h, --help             show this help and exit\n"
           "      --version          show the version and exit\n"
           "\n"
           "Progress goes to standard error, one line per output. Exit status: 0 when every\n"
           "output was written, 1 when any failed (each failure says why), 2 for a usage\n"
           "error. No display server is needed.\n";
}

std::string BatchOutputName(const std::string& dataSetName, int direction, int directionCount,
                            const char* extension) {
    const int digits = std::max(
        2, static_cast<int>(
               std::to_string(std::max(0, std::max(direction, directionCount - 1))).size()));
    std::string index = std::to_string(direction);
    index.insert(0, static_cast<size_t>(std::max(0, digits - static_cast<int>(index.size()))), '0');
    return dataSetName + "_d" + index + "." + extension;
}

std::string BatchTolvexName(const std::string& dataSetName) {
    return dataSetName + "_tolvex.csv";
}

std::string BatchStem(const std::string& dataSetName, const std::string& quantity) {
    return quantity.empty() || quantity == "mean" ? dataSetName : dataSetName + "_" + quantity;
}

std::string BatchEnvelopeName(const std::string& stem, const std::string& envelope,
                              const char* extension) {
    return stem + "_env" + envelope + "." + extension;
}

int RunBatch(const CBatchOptions& options, std::FILE* log) {
    CBatchRun run(options, log);
    return run.Run();
}

int BatchMain(int argc, char** argv, const char* version) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CBatchOptions options;
    std::string error;
    if (!ParseBatchArguments(args, options, error)) {
        std::fprintf(stderr, "kzv batch: %s\nTry 'kzv batch --help' for more information.\n",
                     error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(BatchHelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("KZ_V %s\n", version);
        return 0;
    }
    // Never a window: Qt's platform without a display, the pictures in a surfaceless context.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    PrepareOpenGLApplication();
    int qtArgc = 1;
    char name[] = "kzv";
    char* qtArgv[] = {name, nullptr};
    // Qt's notes about the platform (no run-time folder, no OpenGL widgets) are no concern of
    // a run that shows nothing; its errors still come through.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "kzv batch: %s\n", text.toLocal8Bit().constData());
        }
    });
    QApplication app(qtArgc, qtArgv);
    InstallFontSubstitutions();
    return RunBatch(options, stderr);
}

}  // namespace kzv

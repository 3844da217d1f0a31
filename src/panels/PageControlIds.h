#pragma once

// Resource ids of the operation panel's pages and the control ids of their controls. Every
// control carries its id as the dynamic property controlId (kzv::WithId); tests and the
// settings code find controls by these names.
namespace kzv::page {

// ---- pages ----
constexpr int IDD_DIRECTION = 133;
constexpr int IDD_OPERATION = 134;
constexpr int IDD_DISPLAY = 135;
constexpr int IDD_CONTOUR = 138;
constexpr int IDC_QUANTITY = 1402;  // "表示する値" on the contour page
constexpr int IDD_COLOR_BAR = 159;
constexpr int IDD_LABEL_POS = 160;  // the label-position dialog

// ---- "方位" ----
constexpr int IDC_DIR_ANGLE = 1077;       // read-only angle of the shown direction
constexpr int IDC_DIR_SPIN = 1078;        // index of the shown direction
constexpr int IDC_DIR_NEXT = 1079;        // "←": one direction up
constexpr int IDC_DIR_PREV = 1080;        // "→": one direction down
constexpr int IDC_DIR_COUNT = 1081;       // the data set's direction count
constexpr int IDC_DIR_CHOICE = 1400;      // the directions' angles, then the three envelopes
constexpr int IDC_DIR_GOVERNING = 1401;   // the governing directions' angles at the taps
constexpr int IDC_BUILDING_ANGLE = 1082;  // slider, in direction steps

// ---- "操作" ----
constexpr int IDC_ZOOM_IN = 1102;
constexpr int IDC_ZOOM_OUT = 1103;
constexpr int IDC_ZOOM_NORMAL = 1090;
constexpr int IDC_VIEW_X_PLUS = 1095;
constexpr int IDC_VIEW_X_MINUS = 1097;
constexpr int IDC_VIEW_Y_PLUS = 1098;
constexpr int IDC_VIEW_Y_MINUS = 1099;
constexpr int IDC_VIEW_Z_PLUS = 1100;
constexpr int IDC_VIEW_Z_MINUS = 1101;
constexpr int IDC_ROTATE_UP = 1094;
constexpr int IDC_ROTATE_DOWN = 1091;
constexpr int IDC_ROTATE_LEFT = 1092;
constexpr int IDC_ROTATE_RIGHT = 1093;
constexpr int IDC_MOVE_LEFT = 1087;
constexpr int IDC_MOVE_RIGHT = 1088;
constexpr int IDC_MOVE_UP = 1089;
constexpr int IDC_MOVE_DOWN = 1086;
constexpr int IDC_ZROT_POSITIVE = 1096;  // "正": z step -10
constexpr int IDC_ZROT_NEGATIVE = 1104;  // "負": z step +10
constexpr int IDC_SET_HORIZONTAL = 1236;
constexpr int IDC_SET_VERTICAL = 1237;
constexpr int IDC_SET_Z = 1238;
constexpr int IDC_SET_APPLY = 1239;
constexpr int IDC_SET_SCALE = 1240;
constexpr int IDC_SET_SHIFT_X = 1241;
constexpr int IDC_SET_SHIFT_Y = 1242;

// ---- "表示" ----
constexpr int IDC_PART_LIST = 1015;
constexpr int IDC_MODE_FACES = 1016;
constexpr int IDC_MODE_LINES = 1017;
constexpr int IDC_MODE_NONE = 1018;
constexpr int IDC_PART_COLOR = 1019;
constexpr int IDC_PART_COLOR_GROUP = 1020;
constexpr int IDC_BRIGHTNESS = 1243;
constexpr int IDC_CONTRAST = 1244;
constexpr int IDC_SHOW_WIND = 1164;
constexpr int IDC_SHOW_AXES = 1165;
constexpr int IDC_SHOW_AXIS_NUMBERS = 1166;
constexpr int IDC_SHOW_MARKERS = 1167;
constexpr int IDC_SHOW_NUMBERS = 1168;
constexpr int IDC_SHOW_MESH = 1169;
constexpr int IDC_SHOW_GROUND = 1170;
constexpr int IDC_THIN_TAPS = 1163;  // thin markers and numbers that cover one another

// ---- "コンタ" ----
constexpr int IDC_FACES_ALL = 1190;
constexpr int IDC_FACES_CHOSEN = 1191;
constexpr int IDC_FACES_NONE = 1192;
constexpr int IDC_KIND_SURFACE = 1177;
constexpr int IDC_KIND_LINES = 1178;
constexpr int IDC_KIND_BOTH = 1179;
constexpr int IDC_LINE_SETTINGS = 1180;  // the group enabled for kinds 1 and 2
constexpr int IDC_LINE_COLOR_GROUP = 1171;
constexpr int IDC_LINE_COLOR_LEVEL = 1172;
constexpr int IDC_LINE_COLOR_FIXED = 1173;
constexpr int IDC_LINE_COLOR = 1174;
constexpr int IDC_LABELS_GROUP = 1181;
constexpr int IDC_LABELS_OFF = 1182;
constexpr int IDC_LABELS_ON = 1183;
constexpr int IDC_LABEL_COLOR_GROUP = 1184;
constexpr int IDC_LABEL_COLOR_LINE = 1185;
constexpr int IDC_LABEL_COLOR_FIXED = 1186;
constexpr int IDC_LABEL_COLOR = 1187;
constexpr int IDC_LABEL_FONT = 1175;
constexpr int IDC_LABEL_SIZE = 1176;
constexpr int IDC_EDIT_LABEL_POS = 1189;
constexpr int IDC_LABEL_SKIP = 1193;
constexpr int IDC_LABEL_SKIP_SPIN = 1194;
constexpr int IDC_CLEAR_LABELS = 1188;

// ---- "カラーバー" ----
constexpr int IDC_BAR_PREVIEW = 1005;
constexpr int IDC_BAR_MAX_COLOR = 1010;
constexpr int IDC_BAR_MAX = 1011;
constexpr int IDC_BAR_DIVISIONS = 1006;
constexpr int IDC_BAR_DIVISIONS_SPIN = 1008;
constexpr int IDC_BAR_INTERVAL = 1007;
constexpr int IDC_BAR_INTERVAL_SPIN = 1009;
constexpr int IDC_BAR_MIN_COLOR = 1012;
constexpr int IDC_BAR_MIN = 1013;
constexpr int IDC_BAR_DEFAULTS = 1004;
constexpr int IDC_SHOW_COLOR_BAR = 1014;
constexpr int IDC_BAR_FIT = 1403;            // "範囲をデータに合わせる"
constexpr int IDC_BAR_FIT_ALL = 1404;        // fit to every direction rather than this one
constexpr int IDC_BAR_FIT_SYMMETRIC = 1405;  // fit symmetric about 0

// ---- "数値表示位置の編集" (slot k = 1..20) ----
constexpr int IDC_SLOT_ON_BASE = 1194;    // ON/OFF of slot k: base + k
constexpr int IDC_SLOT_EDIT_BASE = 1214;  // "編集" of slot k: base + k
constexpr int IDC_LABEL_POS_CLOSE = 1235;

}  // namespace kzv::page

#pragma once

// Resource ids of the operation panel's pages and the control ids of their controls. Every
// control carries its id as the dynamic property controlId (kzv::WithId); tests and the
// settings code find controls by these names.
namespace kzv::page {

// ---- pages ----
constexpr int IDD_DIRECTION = 133;
constexpr int IDD_OPERATION = 134;
constexpr int IDD_DISPLAY = 135;

// ---- "方位" ----
constexpr int IDC_DIR_ANGLE = 1077;       // read-only angle of the shown direction
constexpr int IDC_DIR_SPIN = 1078;        // index of the shown direction
constexpr int IDC_DIR_NEXT = 1079;        // "←": one direction up
constexpr int IDC_DIR_PREV = 1080;        // "→": one direction down
constexpr int IDC_DIR_COUNT = 1081;       // the data set's direction count
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

}  // namespace kzv::page

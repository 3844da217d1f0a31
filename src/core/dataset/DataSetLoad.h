#pragma once

#include <string>

#include "dataset/DataSet.h"
#include "dataset/HeaderFile.h"

// Reads the five data files of folder into data, fits the scale to a client area of
// clientW x clientH pixels, derives the panel normals and index and keeps the as-read copies.
// Missing or malformed files leave their structures empty and the load goes on; what could
// not be read is described in m_strLoadReport (empty when everything was). A "cp.dat"
// that cannot be read counts as 8 directions without values, so the direction count is always
// a positive multiple of 8. folder ends with '/'.
void LoadDataSetFiles(CDataSet& data, const std::string& folder, const CHeaderFile& header,
                      int clientW, int clientH);

// 0.7 x min(clientW / size x, clientH / size z): the building's x extent fitted to the width
// and its z extent to the height. A zero (or invalid) extent or client size keeps previous.
float FitScale(const CVector4& size, int clientW, int clientH, float previous);

// The data-set name: the folder path without its trailing '/', after the last '/'.
std::string DataSetName(const std::string& folder);

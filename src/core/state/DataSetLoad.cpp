#include "state/DataSetLoad.h"

#include <algorithm>
#include <cmath>

#include "dataset/FolderUtil.h"
#include "dataset/LoadReport.h"

float FitScale(const CVector4& size, int clientW, int clientH, float previous) {
    if (!(size.x > 0.0f) || !(size.z > 0.0f) || clientW <= 0 || clientH <= 0 ||
        !std::isfinite(size.x) || !std::isfinite(size.z)) {
        return previous;
    }
    return 0.7f *
           std::min(static_cast<float>(clientW) / size.x, static_cast<float>(clientH) / size.z);
}

std::string DataSetName(const std::string& folder) {
    return kzv::LastPathComponent(folder);
}

void LoadDataSetFiles(CViewState& state, const std::string& folder, const CHeaderFile& header,
                      int clientW, int clientH) {
    state.m_strDataFolder = folder;
    state.m_header.CopyFrom(header);

    kzv::CLoadReport report;
    state.m_geoMain.Load((folder + "main.geo").c_str(), &report.mainGeo);
    state.m_geoSub.Load((folder + "sub.geo").c_str(), &report.subGeo);
    state.m_fScale = FitScale(state.m_geoMain.GetSize(), clientW, clientH, state.m_fScale);

    state.m_taps.Read((folder + "measure.pos").c_str(), &report.measurePos);
    if (!state.m_cp.Read((folder + "cp.dat").c_str(), &report.cpDat)) {
        state.m_cp.m_nDirectionCount = 8;
    }
    state.m_mesh.Read((folder + "mesh.msh").c_str(), &report.meshMsh);
    kzv::CheckMeshAgainstPositions(report, state.m_taps, state.m_mesh);
    state.m_strLoadReport = kzv::LoadReportMessage(report);

    state.ClearSelection();
    state.m_valueList.ClearAllRows();

    state.UpdateDerived();
    state.ResetDisplayState();

    state.m_geoMainOrg = state.m_geoMain;
    state.m_geoSubOrg = state.m_geoSub;
    state.m_tapsOrg = state.m_taps;
}

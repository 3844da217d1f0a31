#include "state/DataSetLoad.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>

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
    // "cp.dat" is the bulk of a data set: it is read on a second thread while this one reads
    // the other files. The readers share nothing; the load goes on only when both are done.
    // Where no thread can be started, it is read here after the others.
    const std::string cpPath = folder + "cp.dat";
    bool cpRead = false;
    const auto readCp = [&] { cpRead = state.m_cp.Read(cpPath.c_str(), &report.cpDat); };
    std::thread cpReader;
    try {
        cpReader = std::thread(readCp);
    } catch (const std::system_error&) {
    }

    state.m_geoMain.Load((folder + "main.geo").c_str(), &report.mainGeo);
    state.m_geoSub.Load((folder + "sub.geo").c_str(), &report.subGeo);
    state.m_fScale = FitScale(state.m_geoMain.GetSize(), clientW, clientH, state.m_fScale);
    state.m_taps.Read((folder + "measure.pos").c_str(), &report.measurePos);
    state.m_mesh.Read((folder + "mesh.msh").c_str(), &report.meshMsh);
    kzv::CheckMeshAgainstPositions(report, state.m_taps, state.m_mesh);
    // What depends on the positions alone (the panels' corners, normals, lift, the as-read
    // copy of the taps) is derived while the Cp table may still be read.
    state.UpdateDerived();
    state.m_tapsOrg = state.m_taps;
    state.m_dBuildingTurn = 0.0;

    if (cpReader.joinable()) {
        cpReader.join();
    } else {
        readCp();
    }
    if (!cpRead) {
        state.m_cp.m_nDirectionCount = 8;
    }
    state.m_strLoadReport = kzv::LoadReportMessage(report);

    state.ClearSelection();
    state.m_valueList.ClearAllRows();
    state.ResetDisplayState();
    state.Corners();  // the Cp half of the corners, ready for the first frame

    state.m_geoMainOrg = state.m_geoMain;
    state.m_geoSubOrg = state.m_geoSub;
}

#include "dataset/DataSetLoad.h"

#include <algorithm>
#include <atomic>
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

void LoadDataSetFiles(CDataSet& data, const std::string& folder, const CHeaderFile& header,
                      int clientW, int clientH) {
    data.m_strDataFolder = folder;
    data.m_header.CopyFrom(header);

    kzv::CLoadReport report;
    // "cp.dat" and the five tables beside it are the bulk of a data set: they are read by a
    // helper thread, and by this one once it has read the other files, each taking the next
    // file not yet taken. The readers share nothing; the load goes on only when every file
    // has been read. Where no thread can be started, this thread reads them all.
    const std::string cpPath = folder + "cp.dat";
    bool cpRead = false;
    std::vector<CTableFile> tables(kFileQuantityCount - 1);
    std::atomic<int> nextFile{0};
    const auto readFiles = [&] {
        for (int k = nextFile++; k < kFileQuantityCount; k = nextFile++) {
            if (k == 0) {
                cpRead = data.m_cp.Read(cpPath.c_str(), &report.cpDat);
            } else {
                tables[static_cast<size_t>(k - 1)] = ReadTableFile(folder, ValueQuantityAt(k));
            }
        }
    };
    std::thread reader;
    try {
        reader = std::thread(readFiles);
    } catch (const std::system_error&) {
    }

    data.m_geoMain.Load((folder + "main.geo").c_str(), &report.mainGeo);
    data.m_geoSub.Load((folder + "sub.geo").c_str(), &report.subGeo);
    data.m_fScale = FitScale(data.m_geoMain.GetSize(), clientW, clientH, data.m_fScale);
    data.m_taps.Read((folder + "measure.pos").c_str(), &report.measurePos);
    data.m_mesh.Read((folder + "mesh.msh").c_str(), &report.meshMsh);
    kzv::CheckMeshAgainstPositions(report, data.m_taps, data.m_mesh);
    // What depends on the positions alone (the panels' corners, normals, lift, the as-read
    // copy of the taps) is derived while the tables may still be read.
    data.UpdateDerived();
    data.m_tapsOrg = data.m_taps;
    data.m_dBuildingTurn = 0.0;

    readFiles();
    if (reader.joinable()) {
        reader.join();
    }
    if (!cpRead) {
        data.m_cp.m_nDirectionCount = 8;
        data.m_tables.Clear();
    } else {
        std::vector<CRefusedTable> refused;
        data.m_tables.Take(tables, data.m_cp, &refused);
        for (const CRefusedTable& table : refused) {
            report.refusedTables.push_back(table.reason);
        }
    }
    data.m_strLoadReport = kzv::LoadReportMessage(report);

    // The parts start grey and outlined, in the working copies and in the as-read copies that
    // turning the building starts from.
    data.m_geoMain.ResetObjectStyles();
    data.m_geoSub.ResetObjectStyles();
    data.m_geoMainOrg = data.m_geoMain;
    data.m_geoSubOrg = data.m_geoSub;
}

#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "TempDir.h"
#include "datasets/DatasetWidgets.h"
#include "datasets/FolderBrowser.h"
#include "datasets/OpenFolder.h"
#include "ui/MessageBox.h"

// A temporary program folder, and every prompt seam replaced by a recorder: message boxes
// answer with `answer`, the folder browser with `browserAnswer`, and the file browser only
// notes the folders it was asked to show and answers `browserStarts`.
class DatasetDialogTest : public ::testing::Test {
protected:
    struct Message {
        QString text, caption;
        KzButtons buttons;
        KzIcon icon;
    };

    void SetUp() override {
        m_prevMessage = SetMessageBoxHook(
            [this](const QString& text, const QString& caption, KzButtons buttons, KzIcon icon) {
                messages.push_back({text, caption, buttons, icon});
                return answer;
            });
        m_prevBrowser = CFolderBrowser::SetHook([this](QWidget*, const QString& title) {
            browserTitles.push_back(title);
            return browserAnswer;
        });
        m_prevOpen = SetOpenFolderHook([this](const QString& folder) {
            opened.push_back(folder);
            return browserStarts;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(m_prevMessage);
        CFolderBrowser::SetHook(m_prevBrowser);
        SetOpenFolderHook(m_prevOpen);
    }

    std::string AppFolder() const { return app.Path().string() + "/"; }
    std::string DirList() const { return AppFolder() + "dirlist"; }
    void WriteDirList(const std::string& text) const { app.Write("dirlist", text); }
    std::string ReadDirList() const { return ReadFileBytes(DirList()); }

    template <typename W>
    static W* Control(const QWidget* dialog, int id) {
        W* widget = qobject_cast<W*>(kzv::FindControl(dialog, id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }

    TempDir app;
    std::vector<Message> messages;
    KzAnswer answer = KzAnswer::Ok;
    std::vector<QString> browserTitles;
    QString browserAnswer;
    std::vector<QString> opened;
    bool browserStarts = true;  // what the file browser's launch answers

private:
    KzMessageBoxHook m_prevMessage;
    CFolderBrowser::Hook m_prevBrowser;
    OpenFolderHook m_prevOpen;
};

#pragma once
// Operating-system services for page tests: files that exist, what the tree search finds, and a
// record of every search and every program started.

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

#include "OsServices.h"

struct FakeOs : mnemex::uninstall::OsServices {
    QString appFolder = "/opt/Mnemex Apps/lib/mnemex/uninstall";
    QString windowsDirectory = "/opt/Mnemex Apps/lib/mnemex/system";
    QSet<QString> files;
    QString searchFinds;       // empty: the search finds nothing
    bool searchFails = false;  // the search function cannot be called at all
    bool startFails = false;
    QStringList searches;               // "root|name" per search
    QStringList started;                // command lines
    std::function<void()> onAppFolder;  // runs when the program asks for its folder

    QString GetWindowsDirectory() override { return windowsDirectory; }
    int SearchTreeForFile(const QString& root, const QString& name, QString& found) override {
        searches << root + "|" + name;
        if (searchFails) {
            throw std::runtime_error("search library missing");
        }
        found = searchFinds;
        return searchFinds.isEmpty() ? 0 : 1;
    }
    bool StartProgram(const QString& commandLine) override {
        if (startFails) {
            return false;
        }
        started << commandLine;
        return true;
    }
    bool FileExists(const QString& path) override { return files.contains(path); }
    QString AppFolder() override {
        if (onAppFolder) {
            onAppFolder();
        }
        return appFolder;
    }
};

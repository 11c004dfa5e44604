// The application shell tests' fixture: a temporary program folder as the
// current folder, settings cleared, and the application started on demand.
#pragma once

#include "document/DocTestSupport.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/NameTable.h"

#include <QDir>
#include <QSettings>

namespace mirtala::test {

using app::CMirtalaApp;

inline QSettings Settings() { return QSettings(app::kCompanyKey, app::kAppTitle); }

class EditorAppTest : public DocTest {
protected:
    void SetUp() override {
        Settings().clear();
        NameTable::Instance() = NameTable();
        previousDir = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.Path()));
    }
    void TearDown() override {
        application.reset();
        QDir::setCurrent(previousDir);
    }
    CMirtalaApp& Start(const QStringList& files = {}) {
        application = std::make_unique<CMirtalaApp>(QString::fromStdString(dir.File("mirtala")));
        application->SetRecovery(QString::fromStdString(dir.File("recovery")), 60000);
        EXPECT_TRUE(application->InitInstance(files));
        return *application;
    }

    QString previousDir;
    std::unique_ptr<CMirtalaApp> application;
};

}  // namespace mirtala::test

// The first start's offer of the demo creature.
#include "editor/app/FirstStart.h"

#include "editor/app/CommandIds.h"
#include "editor/app/InstallPaths.h"
#include "editor/app/MainFrame.h"
#include "editor/app/MirtalaApp.h"
#include "editor/document/MessageService.h"
#include "editor/ui/CZubrelle.h"
#include "platform/registry/HostFolders.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace mirtala::app {

namespace {

const QString kChoiceValue = QStringLiteral("Settings/FirstStartChoice");

bool HoldsFileWithExtension(const std::string& folder, std::string_view extension) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (ext == extension && it->is_regular_file(ec)) return true;
    }
    return false;
}

}  // namespace

bool FoldersHoldBodyFiles(const std::string& images, const std::string& bodyData) {
    return HoldsFileWithExtension(images, ".s16") && HoldsFileWithExtension(bodyData, ".att");
}

bool HostFoldersHoldBodyFiles() {
    const registry::HostFolders found = registry::FindHostFolders();
    return FoldersHoldBodyFiles(found.images.path, found.bodyData.path);
}

FirstStartChoice StoredFirstStartChoice() {
    const QString stored = QSettings(kCompanyKey, kAppTitle).value(kChoiceValue).toString();
    if (stored == QLatin1String("DemoCreature")) return FirstStartChoice::DemoCreature;
    if (stored == QLatin1String("ChooseFolders")) return FirstStartChoice::ChooseFolders;
    return FirstStartChoice::None;
}

FirstStartChoice OfferBodyFiles(CMainFrame& frame, const InstallPaths& paths) {
    // Without a demo creature there is nothing to offer; the blank pictures say what to do.
    if (StoredFirstStartChoice() != FirstStartChoice::None || HostFoldersHoldBodyFiles() ||
        !FoldersHoldBodyFiles(paths.demoImages, paths.demoBodyData))
        return FirstStartChoice::None;
    MessageRequest request;
    request.caption = kAppTitle;
    request.text = QStringLiteral(
        "No body files were found in the host product's folders, so the pictures of poses and gaits would "
        "stay blank.\n\nUse the demo creature that comes with Mirtala, choose the host product's folders, "
        "or decide later?");
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNoCancel;
    request.owner = &frame;
    request.yesText = QStringLiteral("Use the &Demo Creature");
    request.noText = QStringLiteral("&Choose Folders...");
    request.cancelText = QStringLiteral("&Not Now");
    const MessageAnswer answer = ShowMessage(request);
    QSettings settings(kCompanyKey, kAppTitle);
    if (answer == MessageAnswer::Yes) {
        std::string error;
        if (!registry::WriteHostFolders(paths.demoImages, paths.demoBodyData, &error)) {
            ShowMessage({kAppTitle,
                         QStringLiteral("The folders could not be stored: %1").arg(QString::fromStdString(error)),
                         MessageIcon::Warning, MessageButtons::Ok, &frame});
            return FirstStartChoice::None;  // asked again next time
        }
        settings.setValue(kChoiceValue, QStringLiteral("DemoCreature"));
        ui::CZubrelle::ReloadAll();
        return FirstStartChoice::DemoCreature;
    }
    if (answer == MessageAnswer::No) {
        settings.setValue(kChoiceValue, QStringLiteral("ChooseFolders"));
        frame.OnCommand(cmd::HostFolders);
        return FirstStartChoice::ChooseFolders;
    }
    return FirstStartChoice::None;
}

}  // namespace mirtala::app

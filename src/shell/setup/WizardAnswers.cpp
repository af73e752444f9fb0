#include "shell/setup/WizardAnswers.h"

namespace kv {

WizardAction WizardActionOf(DblClick click) {
    switch (click) {
    case DblClick::Properties: return WizardAction::Properties;
    case DblClick::Explorer: return WizardAction::Explorer;
    case DblClick::Launch: return WizardAction::Launch;
    case DblClick::View: return WizardAction::View;
    case DblClick::DescAssist: return WizardAction::EditDesc;
    default: return WizardAction::Nothing;
    }
}

DblClick DblClickOf(WizardAction action) {
    switch (action) {
    case WizardAction::Properties: return DblClick::Properties;
    case WizardAction::Explorer: return DblClick::Explorer;
    case WizardAction::Launch: return DblClick::Launch;
    case WizardAction::EditDesc: return DblClick::DescAssist;
    case WizardAction::View: return DblClick::View;
    default: return DblClick::Nothing;
    }
}

WizardAnswers WizardLoadFromOptions(const Settings& s) {
    WizardAnswers a;
    a.catalogFolder = s.catalogFolder;
    a.createBak = s.createBak;
    a.browseArchives = s.browseArchives;
    a.skipHiddenFiles = s.ignoreHiddenFiles;
    a.skipHiddenFolders = s.ignoreHiddenFolders;
    a.skipRecycleBin = s.ignoreRecycle;
    a.descTips = s.descTips;
    a.flatButtons = !s.oldButtons;
    a.action = WizardActionOf(s.dblClick);
    a.extractFolder = s.extractFolder;
    a.removal = s.tempRemoval;
    return a;
}

void WizardStoreToOptions(const WizardAnswers& a, Settings& s) {
    s.catalogFolder = a.catalogFolder;
    s.createBak = a.createBak;
    s.browseArchives = a.browseArchives;
    s.ignoreHiddenFiles = a.skipHiddenFiles;
    s.ignoreHiddenFolders = a.skipHiddenFolders;
    s.ignoreRecycle = a.skipRecycleBin;
    s.descTips = a.descTips;
    s.oldButtons = !a.flatButtons;
    s.dblClick = DblClickOf(a.action);
    s.extractFolder = a.extractFolder;
    s.tempRemoval = a.removal;
}

}  // namespace kv

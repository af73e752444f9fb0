#include "shell/main/MainFormWin32.h"
#include "shell/app/PlatformDefaultsWin32.h"
#include "shell/settings/Settings.h"
#include "shell/settings/SettingsFolders.h"
#include "shell/settings/SettingsStore.h"

namespace kv {

void ApplySettings(const Settings& given, MainForm& main) {
    SettingsStore& store = main.settingsStore();
    Settings settings = given;
    for (const FolderWarning& warning : CheckSettingsFolders(settings, store.Defaults()))
        main.prompt().ask({warning.text, warning.caption, ui::PromptButtons::Ok, ui::PromptIcon::Warning});
    if (settings.extractFolder != store.Get().extractFolder || settings.catalogFolder != store.Get().catalogFolder)
        store.Update([&](Settings& s) {
            s.extractFolder = settings.extractFolder;
            s.catalogFolder = settings.catalogFolder;
        });
    SaveEnvironment& save = main.saveEnvironment();
    save.createBak = settings.createBak;
    save.catalogFolder = settings.catalogFolder;

    main.statusBar.setVisible(settings.statusBar);
    main.toolbars().ApplyDock(settings.dock, settings.toolbarFloating, settings.toolbarVisible);
    main.ApplyToolbarLayout(settings);
    if (main.searchFormExists())
        main.searchForm().SetButtons(settings.buttonSize, settings.oldButtons);
    CatalogBrowser& browser = main.browse().browser();
    browser.setShowUpRow(settings.showUpRow);
    if (browser.setFormattedSizes(settings.formattedSizes) && main.searchFormExists() &&
        main.searchForm().visible())
        InvalidateRect(main.searchForm().FoundList.View().hwnd(), nullptr, FALSE);
    browser.setArchivesAsFiles(!settings.archivesAsFolders);
    main.browse().tree().setPaintLockOnExpand(settings.disableSmoothTree);
    main.ApplyAutoSaveOptions();
    main.ApplyFonts();
    main.realign();
}

void MainForm::ApplyFonts() {
    const SettingsStore& settings = services_.settings;
    auto make = [&](FontUse slot) {
        LOGFONTA lf = LogFontOf(settings.GetFontData(static_cast<std::size_t>(slot)));
        return ui::GdiObject<HFONT>(lf.lfFaceName[0] ? CreateFontIndirectA(&lf) : nullptr);
    };
    // A slot without a face (no system font known) leaves the control's own.
    ui::GdiObject<HFONT> treeFont = make(FontUse::CatalogTree);
    ui::GdiObject<HFONT> listFont = make(FontUse::FileList);
    if (treeFont.get())
        tree.setFont(treeFont.get());
    if (listFont.get()) {
        list.setFont(listFont.get());
        if (searchForm_)
            searchForm_->FoundList.View().setFont(listFont.get());
    }
    // The old fonts go once no control uses them.
    if (treeFont.get())
        treeFont_ = std::move(treeFont);
    if (listFont.get())
        listFont_ = std::move(listFont);
}

}  // namespace kv

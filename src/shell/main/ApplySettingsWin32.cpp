#include "shell/main/MainFormWin32.h"
#include "shell/settings/Settings.h"

namespace kv {

void ApplySettings(const Settings& settings, MainForm& main) {
    main.statusBar.setVisible(settings.statusBar);
    main.toolbars().ApplyDock(settings.dock, settings.toolbarFloating, settings.toolbarVisible);
    main.ApplyToolbarLayout(settings);
    if (main.searchFormExists())
        main.searchForm().SetButtons(settings.buttonSize, settings.oldButtons);
    main.ShowUpRow = settings.showUpRow;
    BrowseSettings& browse = main.browse().browser().settings();
    browse.showUpRow = settings.showUpRow;
    browse.formattedSizes = settings.formattedSizes;
    main.browse().browser().setArchivesAsFiles(!settings.archivesAsFolders);
    main.browse().tree().setPaintLockOnExpand(settings.disableSmoothTree);
    main.ApplyAutoSaveOptions();
    main.realign();
}

}  // namespace kv

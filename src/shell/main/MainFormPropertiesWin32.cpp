// Properties, Catalog Info and Edit Description: the maintenance windows over
// one item, with what they changed written back into its record.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "base/CatalogDate.h"
#include "archive/TempExtraction.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/media/LocateItemMedia.h"
#include "catalog/media/SystemDrives.h"
#include "scan/ArchiveTypes.h"
#include "shell/settings/SettingsStore.h"
#include "scan/descassist/DescAssistFormWin32.h"
#include "scan/properties/PropertiesFormWin32.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "shell/browse/NodeImages.h"
#include "shell/commands/CommandTable.h"
#include "shell/commands/SearchRefusal.h"
#include "shell/commands/ItemEdits.h"
#include "ui/Fonts.h"
#include "ui/SharedImages.h"

namespace kv {

namespace {

// The node a record belongs to and, for a file, the record itself.
std::pair<Node*, TFileRec*> NodeAndFile(ItemHead& item) {
    if (auto* file = RecordAs<TFileRec>(&item))
        return {file->node, file};
    return {item.node, nullptr};
}

}  // namespace

PropertiesServices MainForm::propertiesServices() {
    PropertiesServices p;
    if (iconList_) {
        p.largeImages = LargeImages().handle();
        p.iconOf = [this](const ItemHead* item) { return itemLargeIcon(item); };
        p.typeName = [this](const std::string& ext) { return iconList_->TypeName(ext); };
    }
    p.dateFormat = LocaleDateTimeFormatter();
    p.decimalSeparator = browse_->browser().cellContext().formats ? browse_->browser().cellContext().formats->decimalSeparator
                                                                   : std::string(".");
    p.editCategories = [this](Node* catalog) { return categoriesSetup(catalog); };
    return p;
}

int MainForm::itemLargeIcon(const ItemHead* item) {
    if (!iconList_ || !item)
        return -1;
    // The picture the lists show (a folder not yet in the tree has its kind's).
    return RowImage(item, iconList_->icons(), nullptr,
                    [this](std::string_view name) { return iconList_->AddIcon(std::string(name)); });
}

HFONT MainForm::descriptionFont(FontUse use) {
    const auto slot = static_cast<std::size_t>(use);
    const std::size_t i = use == FontUse::PropertiesDesc ? 0 : 1;
    descFonts_[i] = ui::createFont(FontOfData(services_.settings.GetFontData(slot), GetSysColor(COLOR_WINDOWTEXT)));
    return descFonts_[i].get();
}

TPropertiesForm& MainForm::propertiesForm() {
    if (!propertiesForm_)
        propertiesForm_ = std::make_unique<TPropertiesForm>(propertiesServices());
    // The settings may have changed since the window was made.
    propertiesForm_->SetDescriptionFont(descriptionFont(FontUse::PropertiesDesc));
    return *propertiesForm_;
}

void MainForm::ShowItemProperties(ItemHead& item) {
    // A run reads descriptions and category bytes: the refusal comes before any window opens.
    if (RefusedDuringSearch(Refusal::UpdateData, searchRunning(), *prompt_))
        return;
    auto [node, file] = NodeAndFile(item);
    showProperties(node, file);
}

void MainForm::showProperties(Node* node, TFileRec* file) {
    if (!node)
        return;
    HWND active = GetActiveWindow();
    TPropertiesForm& form = propertiesForm();
    form.FillPropertiesForm(node, file);
    if (form.Run()) {
        ItemHead* record = file ? static_cast<ItemHead*>(file) : node->record();
        ItemEdits edits;
        if (form.ItemPage() == PropertyPage::File || form.ItemPage() == PropertyPage::Folder)
            edits.category = form.ChosenCategoryByte();
        edits.description = form.ChosenDescription();
        if (ApplyItemEdits(*record, edits, searchRunning(), *prompt_))
            itemChanged(record);
    }
    updateStatusBar();
    if (active && IsWindow(active))
        SetActiveWindow(active);
}

void MainForm::showDiskInfo(const TDiskRec& disk, char letter) {
    TPropertiesForm& form = propertiesForm();
    form.FillPropertiesForm(nullptr, nullptr, &disk, letter);
    form.Run();
}

void MainForm::itemChanged(const ItemHead* record) {
    browse_->browser().refreshRecordViews(record);
    repaintOtherItemLists();
    updateCommands(CommandGroup::Catalog | CommandGroup::Item);
}

namespace {

// Finds a medium without asking for it to be inserted.
class SilentMediaPrompts : public MediaPrompts {
public:
    void showInformation(const std::string&, const std::string&) override {}
    InsertMediaAnswer askInsertMedia(const std::string&, const std::string&, bool) override {
        return InsertMediaAnswer::Cancel;
    }
};

}  // namespace

DescAssistServices MainForm::descAssistServices() {
    const Settings& settings = services_.settings.Get();
    DescAssistServices d;
    d.prompt = prompt_.get();
    d.search.patterns = settings.descPatterns;
    d.search.subfolders = settings.descAssistSubfolders;
    d.search.maxLevels = settings.descAssistDepth;
    d.search.loadNode = [this](Node& node) {
        LoadSubfolders(&node, false, false, prompt_.get());
        LoadFileList(&node, prompt_.get());
    };
    d.locateMedia = [this](const ItemHead* item, bool ask) -> std::optional<char> {
        if (services_.locateMedium)
            return services_.locateMedium(item);
        ui::ScopedHourglass wait;
        char letter = 0;
        if (ask)
            return LocateMedia(item, letter, false, *prompt_) == LocateResult::Found ? std::optional(letter) : std::nullopt;
        SystemDrives drives;
        SilentMediaPrompts silent;
        return LocateMedia(item, letter, false, drives, silent) == LocateResult::Found ? std::optional(letter)
                                                                                        : std::nullopt;
    };
    if (services_.mediumRoot)
        d.mediumRoot = [this](char letter) {
            std::string root = services_.mediumRoot(letter);
            while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
            return root;
        };
    d.readFile = [this](const std::string& path, std::size_t limit) -> std::optional<std::string> {
        try {
            std::unique_ptr<ByteSource> source = services_.files.OpenRead(path);
            if (!source) return std::nullopt;
            std::string bytes(limit, '\0');
            bytes.resize(source->readAt(0, bytes.data(), limit));
            return bytes;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    };
    d.extractMember = [this](const std::string& archive, const std::string& member) -> std::optional<std::string> {
        if (!services_.extraction) return std::nullopt;
        const std::string& chosen = services_.settings.Get().extractFolder;
        const std::string folder = chosen.empty() ? services_.files.TempFolder() : chosen;
        if (!services_.extraction->ExtractDescFile(GetArchiveType(archive), archive, folder, member))
            return std::nullopt;
        return JoinPath(folder, member);
    };
    d.showStatus = [this](const std::string& text, bool busy) { ShowStatus(text, busy); };
    d.descriptionOf = [](const ItemHead& item) { return DescriptionOf(item); };
    if (iconList_) {
        d.largeImages = LargeImages().handle();
        d.iconOf = [this](const ItemHead* item) { return itemLargeIcon(item); };
    }
    d.placementKey = services_.programKey;
    d.descriptionFont = descriptionFont(FontUse::PropertiesDesc);
    d.fileTextFont = descriptionFont(FontUse::DescFileText);
    return d;
}

void MainForm::EditItemDescription(ItemHead& item) {
    if (RefusedDuringSearch(Refusal::UpdateData, searchRunning(), *prompt_))
        return;
    auto [node, file] = NodeAndFile(item);
    if (!node)
        return;
    TDescAssistForm form(descAssistServices());
    form.PrepareDescAssistant(node, file);
    if (!form.Run())
        return;
    ItemHead* record = file ? static_cast<ItemHead*>(file) : node->record();
    if (ApplyItemEdits(*record, {std::nullopt, form.DescMemo.text()}, searchRunning(), *prompt_))
        itemChanged(record);
}

// The search window's own buttons run when it is the active window.
bool MainForm::foundWindowActive() const {
    return searchForm_ && searchForm_->hwnd() && GetActiveWindow() == searchForm_->hwnd();
}

void MainForm::itemCommand(CommandId command, CommandSource source) {
    if (command == CommandId::CatalogInfo) {
        Node* node = selected();
        while (node && node->parent()) node = node->parent();
        if (node) showProperties(node, nullptr);
        return;
    }
    const std::optional<CommandTarget> target = GetCommandTarget(source, CommandFocus());
    if (!target || !target->item())
        return;
    ItemHead& item = *target->item();
    if (command == CommandId::Properties)
        ShowItemProperties(item);
    else
        EditItemDescription(item);
}

}  // namespace kv

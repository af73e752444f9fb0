#include "scan/DescImport.h"

#include <unordered_map>
#include <vector>

#include "base/Errors.h"
#include "base/text/AnsiCase.h"
#include "base/text/OemBox.h"
#include "base/text/TextLines.h"
#include "scan/CarryOver.h"
#include "scan/DescriptIonFile.h"
#include "scan/FileIdDiz.h"
#include "scan/FilesBbsFile.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

constexpr std::size_t kWrapWidth = 50;

bool HasDescription(const ItemHead& rec) {
    if (auto* file = RecordAs<TFileRec>(&rec)) return !file->description.empty();
    if (auto* folder = RecordAs<TFolderRec>(&rec)) return !folder->description.empty();
    if (auto* disk = RecordAs<TDiskRec>(&rec)) return !disk->description.empty();
    return true;
}

void Describe(ItemHead& rec, std::string_view text) {
    if (auto* file = RecordAs<TFileRec>(&rec)) {
        file->description.assign(text);
        if (!text.empty()) FlagOwnerHasDescriptions(*file);
    } else if (auto* folder = RecordAs<TFolderRec>(&rec)) {
        folder->description.assign(text);
    } else if (auto* disk = RecordAs<TDiskRec>(&rec)) {
        disk->description.assign(text);
    }
}

std::string Cleaned(std::string_view text) {
    std::string out = TrimLines(text);
    OemBoxToAscii(out);
    return out;
}

// The owner's files and folder children by upper-cased name, each in chain order:
// a description file of thousands of entries costs one look-up an entry.
class NameIndex {
public:
    explicit NameIndex(const DescTarget& t) {
        const CaseMap& map = systemCaseMap();
        for (TFileRec& f : t.owner.files) files_[upperCase(f.name(), map)].push_back(&f);
        for (const auto& child : t.ownerNode.children())
            if (auto* folder = RecordAs<TFolderRec>(child->record()))
                folders_.try_emplace(upperCase(child->text(), map), folder);
    }
    const std::vector<TFileRec*>* files(const std::string& name) const {
        auto it = files_.find(upperCase(name, systemCaseMap()));
        return it == files_.end() ? nullptr : &it->second;
    }
    TFolderRec* folder(const std::string& name) const {
        auto it = folders_.find(upperCase(name, systemCaseMap()));
        return it == folders_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, std::vector<TFileRec*>> files_;
    std::unordered_map<std::string, TFolderRec*> folders_;
};

template <class ReadAll>
void ReadFile(IFileSystem& files, const std::string& path, ReadAll&& readAll) {
    try {
        auto source = files.OpenRead(path);
        DescLineReader lines(*source);
        readAll(lines);
    } catch (const std::exception&) {
        // An unreadable description file is passed over; what was applied stays.
    }
}

// May this description file replace the record's description?
bool MayOverwrite(const DescTarget& target, const ItemHead& rec, bool overwrite) {
    return overwrite && !(target.carried && target.carried->carried(rec));
}

}  // namespace

void SetItemDescription(ItemHead& rec, std::string_view text) {
    if (text.empty() || HasDescription(rec)) return;
    Describe(rec, text);
}

void ApplyArchiveComment(ItemHead& rec, std::string_view comment, bool overwrite) {
    if (comment.empty() || (!overwrite && HasDescription(rec))) return;
    std::string text(comment);
    OemBoxToAscii(text);
    Describe(rec, text);
}

void ImportDescriptIon(IFileSystem& files, const DescTarget& target, const std::string& path, bool overwrite,
                       std::size_t truncLines) {
    ReadFile(files, path, [&](DescLineReader& lines) {
        const NameIndex index(target);
        std::string name, description;
        while (!lines.atEnd()) {
            if (!ReadDescriptLine(lines, name, description) || description.empty()) continue;
            ItemHead* rec = nullptr;
            if (const auto* found = index.files(name))
                rec = found->front();
            else
                rec = index.folder(name);
            if (!rec || (!MayOverwrite(target, *rec, overwrite) && HasDescription(*rec))) continue;
            Describe(*rec, Cleaned(WrapText(description, kWrapWidth, truncLines).text));
        }
    });
}

void ImportFilesBbs(IFileSystem& files, const DescTarget& target, const std::string& path, bool overwrite,
                    std::size_t truncLines) {
    ReadFile(files, path, [&](DescLineReader& lines) {
        const NameIndex index(target);
        FilesBbsReader reader(lines);
        std::string name, description;
        while (reader.next(name, description, truncLines)) {
            if (description.empty()) continue;
            std::string text = Cleaned(description.substr(0, kMaxDescriptionLength));
            if (!text.empty() && text.front() == '|') text.erase(0, 1);
            if (text.empty()) continue;
            TFileRec* file = nullptr;
            if (const auto* found = index.files(name))
                for (TFileRec* f : *found)
                    if (f->description.empty()) {
                        file = f;
                        break;
                    }
            if (file) {
                Describe(*file, text);
            } else if (TFolderRec* folder = index.folder(name);
                       folder && (MayOverwrite(target, *folder, overwrite) || folder->description.empty())) {
                Describe(*folder, text);
            }
        }
    });
}

std::string ImportFileIdDiz(IFileSystem& files, const std::string& path) {
    try {
        auto source = files.OpenRead(path);
        return ReadFileIdDiz(*source);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace kv

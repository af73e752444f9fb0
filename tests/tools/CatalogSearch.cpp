#include "CatalogSearch.h"

#include <atomic>
#include <charconv>
#include <stdexcept>

#include "base/Worker.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SyncSearchHost.h"
#include "search/results/ResultList.h"

namespace kv::tools {

namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(sep, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

[[noreturn]] void Bad(const std::string& what) { throw std::invalid_argument(what); }

int Number(const std::string& text, const std::string& what) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 0)
        Bad("not a number in " + what + ": \"" + text + "\"");
    return n;
}

template <class T>
T Pick(const std::string& word, std::initializer_list<std::pair<const char*, T>> table, const std::string& what) {
    for (const auto& [name, value] : table)
        if (word == name)
            return value;
    Bad("unknown " + what + ": \"" + word + "\"");
}

CalendarDay Day(const std::string& text) {
    const std::vector<std::string> p = Split(text, '-');
    if (p.size() != 3 || p[0].size() != 4 || p[1].size() != 2 || p[2].size() != 2)
        Bad("a date is YYYY-MM-DD: \"" + text + "\"");
    CalendarDay d{Number(p[0], "a date"), Number(p[1], "a date"), Number(p[2], "a date")};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31)
        Bad("no such date: \"" + text + "\"");
    return d;
}

void ParseName(SearchFormValues& v, const std::string& arg) {
    const std::size_t colon = arg.find(':');
    if (colon == std::string::npos)
        Bad("--name needs MODE:TEXT");
    v.byName = true;
    v.nameMode = Pick<NameMode>(arg.substr(0, colon),
                                {{"part", NameMode::Part}, {"mask", NameMode::Mask}, {"exact", NameMode::Exact},
                                 {"ext", NameMode::Extension}},
                                "name mode");
    v.nameText = arg.substr(colon + 1);
}

void ParseDescription(SearchFormValues& v, const std::string& arg) {
    v.byDescription = true;
    if (arg == "any") {
        v.descriptionMode = DescriptionMode::Any;
    } else if (arg == "none") {
        v.descriptionMode = DescriptionMode::None;
    } else if (arg.starts_with("text:")) {
        v.descriptionMode = DescriptionMode::Text;
        v.descriptionText = arg.substr(5);
    } else {
        Bad("--desc takes any, none or text:TEXT");
    }
}

void ParseSize(SearchFormValues& v, const std::string& arg) {
    const std::vector<std::string> p = Split(arg, ':');
    if (p.size() < 3)
        Bad("--size needs REL:X1[:X2]:UNIT");
    v.bySize = true;
    v.sizeRelation = Pick<SizeRelation>(p[0],
                                        {{"eq", SizeRelation::Equal},
                                         {"between", SizeRelation::Between},
                                         {"notbetween", SizeRelation::NotBetween},
                                         {"smaller", SizeRelation::Smaller},
                                         {"larger", SizeRelation::Larger}},
                                        "size relation");
    const bool range = v.sizeRelation == SizeRelation::Between || v.sizeRelation == SizeRelation::NotBetween;
    if (p.size() != (range ? 4u : 3u))
        Bad(range ? "--size " + p[0] + " needs two sizes" : "--size " + p[0] + " takes one size");
    const int unit = Pick<int>(p.back(), {{"B", 0}, {"KB", 1}, {"MB", 2}, {"GB", 3}}, "size unit");
    Number(p[1], "--size");
    v.size1 = {p[1], unit};
    if (range) {
        Number(p[2], "--size");
        v.size2 = {p[2], unit};
    }
}

void ParseDate(SearchFormValues& v, const std::string& arg) {
    const std::vector<std::string> p = Split(arg, ':');
    if (p.size() < 3)
        Bad("--date needs FIELD:REL:YYYY-MM-DD[:YYYY-MM-DD]");
    v.byDate = true;
    v.dateField = Pick<DateField>(
        p[0], {{"created", DateField::Created}, {"modified", DateField::Modified}, {"accessed", DateField::Accessed}},
        "date field");
    v.dateRelation = Pick<WhenRelation>(p[1],
                                        {{"on", WhenRelation::On},
                                         {"between", WhenRelation::Between},
                                         {"notbetween", WhenRelation::NotBetween},
                                         {"before", WhenRelation::Before},
                                         {"after", WhenRelation::After}},
                                        "date relation");
    const bool range = v.dateRelation == WhenRelation::Between || v.dateRelation == WhenRelation::NotBetween;
    if (p.size() != (range ? 4u : 3u))
        Bad(range ? "--date " + p[1] + " needs two dates" : "--date " + p[1] + " takes one date");
    v.date1 = Day(p[2]);
    if (range)
        v.date2 = Day(p[3]);
}

void ParseKinds(SearchFormValues& v, const std::string& arg) {
    v.searchFiles = v.searchFolders = v.searchDisks = false;
    for (const std::string& k : Split(arg, ','))
        *Pick<bool*>(k, {{"files", &v.searchFiles}, {"folders", &v.searchFolders}, {"disks", &v.searchDisks}},
                     "kind") = true;
}

void ParseDuplicateKeys(SearchFormValues& v, const std::string& arg) {
    v.duplicateMode = true;
    for (const std::string& k : Split(arg, ',')) {
        bool* key = Pick<bool*>(
            k, {{"name", &v.dupName}, {"size", &v.dupSize}, {"date", &v.dupDate}, {"attr", &v.dupAttributes}},
            "duplicate key");
        *key = true;
    }
}

// The kind a hit is printed as; an archive folder stands for the archive file.
const char* KindOf(const ItemHead& item) {
    const bool archive = HasFlag(item.flags, ItemFlags::Archive);
    switch (item.kind()) {
    case ItemFlags::File:
        return archive ? "member" : "file";
    case ItemFlags::Folder: {
        const Node* parent = item.node ? item.node->parent() : nullptr;
        const ItemHead* up = parent ? parent->record() : nullptr;
        if (!archive)
            return "folder";
        return up && up->kind() == ItemFlags::Folder && HasFlag(up->flags, ItemFlags::Archive) ? "member" : "file";
    }
    case ItemFlags::Disk:
        return "disk";
    default:
        return "?";
    }
}

// The disk's name, then the item's path on it with its name.
std::string FullPath(const ItemHead& item) {
    const Node* disk = GetItemOwner(&item, OwnerQuery::DiskOfOwner);
    std::string path = disk ? disk->text() : std::string();
    path += GetItemPath(&item, true, false);
    if (const auto* file = RecordAs<TFileRec>(&item)) {
        if (path.back() != '\\')
            path += '\\';
        path += file->name();
    }
    return path;
}

}  // namespace

SearchRequest ParseSearchArguments(const std::vector<std::string>& args) {
    SearchRequest r;
    SearchFormValues& v = r.values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                Bad(a + " needs a value");
            return args[++i];
        };
        if (!a.starts_with("--")) {
            r.catalogs.push_back(a);
        } else if (a == "--all") {
            v.matchAny = false;
        } else if (a == "--any") {
            v.matchAny = true;
        } else if (a == "--what") {
            ParseKinds(v, value());
        } else if (a == "--name") {
            ParseName(v, value());
        } else if (a == "--case") {
            v.nameCaseSensitive = true;
            v.descriptionCaseSensitive = true;
        } else if (a == "--no-archives") {
            v.includeArchiveContents = false;
            v.dupSkipArchiveContents = true;
        } else if (a == "--desc") {
            ParseDescription(v, value());
        } else if (a == "--size") {
            ParseSize(v, value());
        } else if (a == "--date") {
            ParseDate(v, value());
        } else if (a == "--category") {
            // A name may be a category or a user flag of the catalog.
            v.byCategory = true;
            const std::string& name = value();
            if (name == "(Items without category)") {
                v.withoutCategoryChecked = true;
            } else {
                v.checkedCategories.push_back(name);
                v.checkedFlags.push_back(name);
            }
        } else if (a == "--max") {
            v.limitFound = true;
            v.maxFound = Number(value(), "--max");
        } else if (a == "--duplicates") {
            ParseDuplicateKeys(v, value());
        } else {
            Bad("unknown option " + a);
        }
    }
    if (r.catalogs.empty())
        Bad("no catalog given");
    return r;
}

std::size_t SearchCatalogs(const SearchRequest& request, std::string& out) {
    TResultList results(request.values.duplicateMode ? ResultSlot::Duplicates : ResultSlot::Search);
    ResultListSet lists;
    lists.Attach(&results);
    Forest forest;
    forest.context().resultLists = &lists;
    struct Detach {
        Forest& forest;
        ~Detach() { forest.context().resultLists = nullptr; }
    } detach{forest};

    for (const std::string& file : request.catalogs)
        ReadCatalogFile(forest, file);

    SearchFormValues values = request.values;
    NormalizeSearchValues(values);
    const TSearchCriteria criteria = CompileSearchCriteria(values);
    CategoryChoice choice{values.withoutCategoryChecked, values.checkedCategories, values.checkedFlags};
    const SearchScope scope = CaptureSearchScope(forest, false, choice,
                                                 {criteria.searchFiles, criteria.searchFolders, criteria.searchDisks});
    InlineSync sync;
    SyncSearchHost host({sync, results, {}, {}, {}, {}, nullptr});
    std::atomic<bool> stop{false};
    SearchEngine engine(criteria, scope, host, stop);
    // The groups as the engine made them; each ends after its last hit.
    std::vector<std::size_t> groupEnds;
    engine.SetGroupSink([&groupEnds](std::size_t size) {
        groupEnds.push_back((groupEnds.empty() ? 0 : groupEnds.back()) + size);
    });
    const SearchOutcome outcome = engine.Execute();
    if (outcome.error)
        std::rethrow_exception(outcome.error);

    std::size_t group = 0;
    for (std::size_t i = 0; i < results.Count(); ++i) {
        if (i > 0 && group < groupEnds.size() && i == groupEnds[group]) {
            out += '\n';
            ++group;
        }
        const ItemHead& item = *results.At(i);
        out += FullPath(item) + '\t' + KindOf(item) + '\n';
    }
    return results.Count();
}

}  // namespace kv::tools

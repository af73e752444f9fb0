#pragma once
// Applying description files and archive comments to the records of a scan.
#include <string>
#include <string_view>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "system/files/FileSystem.h"

namespace kv {

class CarryOver;

// Gives a record without a description this one (nothing for an empty text); a
// file also flags its folder or disk.
void SetItemDescription(ItemHead& rec, std::string_view text);
// The comment (box characters made readable) describes the record when it has
// none yet, or always with overwrite.
void ApplyArchiveComment(ItemHead& rec, std::string_view comment, bool overwrite);

// Where one description file's entries go: the files of the owner's chain, then
// the folders (subfolders, archive folders) below the owner's node.
struct DescTarget {
    Node& ownerNode;
    FileOwnerRecord& owner;
    // Descriptions carried over from the replaced disk: kept even with overwrite.
    const CarryOver* carried = nullptr;
};

// Entries of a DESCRIPT.ION: wrapped at 50 columns, at most truncLines lines
// (0: all); an existing description is replaced only with overwrite. A file
// that cannot be read is passed over; reading stops at the first error.
void ImportDescriptIon(IFileSystem& files, const DescTarget& target, const std::string& path, bool overwrite,
                       std::size_t truncLines);
// Entries of a FILES.BBS: only files without a description take one; a folder
// takes one when it has none or with overwrite.
void ImportFilesBbs(IFileSystem& files, const DescTarget& target, const std::string& path, bool overwrite,
                    std::size_t truncLines);
// The text of a FILE_ID.DIZ; empty when it cannot be read.
std::string ImportFileIdDiz(IFileSystem& files, const std::string& path);

}  // namespace kv

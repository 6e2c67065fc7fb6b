#include "index/LoadedIndex.h"

#include "index/LoadedIndexImpl.h"

#include <algorithm>
#include <cstring>

namespace zephrix {

bool LoadedIndex::Impl::roomForRecords(size_t total)
{
    const size_t needed = total * sizeof(Record);
    if (needed <= recordPages.committed())
        return true;
    if (needed <= recordPages.reserved())
        return recordPages.commit(needed);
    // Past the reservation (the file grew while it was read): move to one
    // twice the size. The records hold offsets, so they move as they are.
    ReservedPages bigger;
    if (!bigger.reserve(std::max(needed, recordPages.reserved() * 2)) || !bigger.commit(needed))
        return false;
    if (recordCount > 0)
        std::memcpy(bigger.data(), recordPages.data(), recordCount * sizeof(Record));
    recordPages = std::move(bigger);
    return true;
}

bool LoadedIndex::Impl::roomForNames(size_t total)
{
    const size_t needed = total + NameTextPadding;
    if (needed <= nameText.committed())
        return true;
    if (needed <= nameText.reserved())
        return nameText.commit(needed);
    ReservedPages bigger;
    if (!bigger.reserve(std::max(needed, nameText.reserved() * 2)) || !bigger.commit(needed))
        return false;
    if (nameTextSize > 0)
        std::memcpy(bigger.data(), nameText.data(), nameTextSize);
    nameText = std::move(bigger);
    return true;
}

void LoadedIndex::Impl::finishTexts()
{
    // The details are read with the same padding as the lines were.
    entriesText.trim(detailsEnd + NamePadding);
    entriesText.guardAfter(detailsEnd + NamePadding);
    // The names were copied in whole blocks, which left bytes of the last
    // one past its end.
    std::memset(nameText.data() + nameTextSize, 0, NameTextPadding);
    nameText.trim(nameTextSize + NameTextPadding);
    nameText.guardAfter(nameTextSize + NameTextPadding);
}

size_t LoadedIndex::Impl::tableBytes() const
{
    size_t bytes = detailsEnd + nameTextSize + foldersTextSize + recordCount * sizeof(Record) +
                   folderCount * sizeof(std::string_view);
    for (const auto& [row, completion] : completions)
        bytes += sizeof(completion) + completion.size.capacity() + completion.created.capacity() +
                 completion.modified.capacity();
    return bytes;
}

LoadedIndex::LoadedIndex() : impl_(new Impl)
{
}

void LoadedIndex::install(Impl* loaded)
{
    delete impl_;
    impl_ = loaded;
    records_ = impl_->records();
    nameText_ = impl_->nameText.data();
}

LoadedIndex::~LoadedIndex()
{
    delete impl_;
}

size_t LoadedIndex::entryCount() const
{
    return impl_->recordCount;
}

IndexEntry LoadedIndex::entry(size_t row) const
{
    if (row >= impl_->recordCount)
        return {};
    const Impl::Record& r = impl_->records()[row];
    IndexEntry e;
    e.name = entryName(row);
    e.folderIndex = r.folderIndex;
    // Only entries stored without a size are ever completed, and few of
    // those, so the records carry no mark of it.
    if (!impl_->completions.empty()) {
        const auto completed = impl_->completions.find(row);
        if (completed != impl_->completions.end()) {
            e.size = completed->second.size;
            e.created = completed->second.created;
            e.modified = completed->second.modified;
            return e;
        }
    }
    const char* size = impl_->entriesText.data() + r.details();
    e.size = std::string_view(size, r.sizeLength);
    const char* created = size + r.sizeLength + 1;
    e.created = std::string_view(created, r.createdLength);
    e.modified = std::string_view(created + r.createdLength + 1, r.modifiedLength);
    return e;
}

size_t LoadedIndex::namedRows() const
{
    return std::min(impl_->namedRows, impl_->recordCount);
}

size_t LoadedIndex::folderCount() const
{
    return impl_->folderCount;
}

std::string_view LoadedIndex::folder(size_t k) const
{
    return k < impl_->folderCount ? impl_->folders()[k] : std::string_view();
}

void LoadedIndex::completeEntry(size_t row, std::string_view size, std::string_view created,
                                std::string_view modified)
{
    if (row >= impl_->recordCount)
        return;
    Impl::Completion& c = impl_->completions[row];
    c.size.assign(size);
    c.created.assign(created);
    c.modified.assign(modified);
}

void LoadedIndex::clear()
{
    install(new Impl);
}

size_t LoadedIndex::memoryBytes() const
{
    return impl_->tableBytes();
}

} // namespace zephrix

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

void LoadedIndex::Impl::roomForNames(size_t total)
{
    const size_t needed = total + NameTextPadding;
    if (!nameTextKept || needed <= nameText.committed())
        return;
    if (needed <= nameText.reserved()) {
        nameTextKept = nameText.commit(needed);
        return;
    }
    ReservedPages bigger;
    nameTextKept = bigger.reserve(std::max(needed, nameText.reserved() * 2)) && bigger.commit(needed);
    if (nameTextKept && nameTextSize > 0)
        std::memcpy(bigger.data(), nameText.data(), nameTextSize);
    nameText = std::move(bigger);
}

void LoadedIndex::Impl::finishNameText()
{
    if (nameTextKept && tableBytes() <= tableBound()) {
        // The names were copied in whole blocks, which left bytes of the last
        // one past its end.
        std::memset(nameText.data() + nameTextSize, 0, NameTextPadding);
        nameText.trim(nameTextSize + NameTextPadding);
        nameText.guardAfter(nameTextSize + NameTextPadding);
        return;
    }
    nameTextKept = false;
    nameText = ReservedPages();
    nameTextSize = 0;
}

size_t LoadedIndex::Impl::tableBytes() const
{
    size_t bytes = entriesTextSize + foldersTextSize + recordCount * sizeof(Record) +
                   folderCount * sizeof(std::string_view) + nameTextSize;
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
    entriesText_ = impl_->entriesText.data();
    nameText_ = impl_->nameTextKept ? impl_->nameText.data() : nullptr;
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
    const char* name = impl_->lineText(r);
    IndexEntry e;
    e.name = std::string_view(name, r.nameLength);
    e.folderIndex = r.folderIndex;
    if (r.completed) {
        const Impl::Completion& c = impl_->completions.at(row);
        e.size = c.size;
        e.created = c.created;
        e.modified = c.modified;
        return e;
    }
    const char* size = name + r.sizeOffset;
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
    impl_->records()[row].completed = true;
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

#include "index/LoadedIndex.h"

#include "index/LoadedIndexImpl.h"

namespace zephrix {

size_t LoadedIndex::Impl::tableBytes() const
{
    size_t bytes = entriesTextSize + foldersTextSize + records.capacity() * sizeof(Record) +
                   folders.capacity() * sizeof(std::string_view);
    for (const auto& [row, completion] : completions)
        bytes += sizeof(completion) + completion.size.capacity() + completion.created.capacity() +
                 completion.modified.capacity();
    return bytes;
}

LoadedIndex::LoadedIndex() : impl_(new Impl)
{
}

LoadedIndex::~LoadedIndex()
{
    delete impl_;
}

size_t LoadedIndex::entryCount() const
{
    return impl_->records.size();
}

IndexEntry LoadedIndex::entry(size_t row) const
{
    if (row >= impl_->records.size())
        return {};
    const Impl::Record& r = impl_->records[row];
    IndexEntry e;
    e.name = std::string_view(r.name, r.nameLength);
    e.folderIndex = r.folderIndex;
    if (r.completed) {
        const Impl::Completion& c = impl_->completions.at(row);
        e.size = c.size;
        e.created = c.created;
        e.modified = c.modified;
        return e;
    }
    const char* size = r.name + r.sizeOffset;
    e.size = std::string_view(size, r.sizeLength);
    const char* created = size + r.sizeLength + 1;
    e.created = std::string_view(created, r.createdLength);
    e.modified = std::string_view(created + r.createdLength + 1, r.modifiedLength);
    return e;
}

size_t LoadedIndex::folderCount() const
{
    return impl_->folders.size();
}

std::string_view LoadedIndex::folder(size_t k) const
{
    return k < impl_->folders.size() ? impl_->folders[k] : std::string_view();
}

void LoadedIndex::completeEntry(size_t row, std::string_view size, std::string_view created,
                                std::string_view modified)
{
    if (row >= impl_->records.size())
        return;
    Impl::Completion& c = impl_->completions[row];
    c.size.assign(size);
    c.created.assign(created);
    c.modified.assign(modified);
    impl_->records[row].completed = 1;
}

void LoadedIndex::clear()
{
    Impl* fresh = new Impl;
    delete impl_;
    impl_ = fresh;
}

size_t LoadedIndex::memoryBytes() const
{
    return impl_->tableBytes();
}

} // namespace zephrix

#include "platform/services/FileCheckPoint.h"

#include <atomic>

namespace {
std::atomic<quint64> &operations()
{
    static std::atomic<quint64> count{0};
    return count;
}
} // namespace

void FileCheckPoint::operationBegins()
{
    operations().fetch_add(1, std::memory_order_relaxed);
}

quint64 FileCheckPoint::current()
{
    return operations().load(std::memory_order_relaxed);
}

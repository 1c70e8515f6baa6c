#include "document/CopyBuffer.h"

#include <algorithm>

namespace {

bool IsTypeCode(int type) {
    return type >= 0 && type < CCopyBuffer::kTypeCount;
}

}  // namespace

void CCopyBuffer::Add(int type, CDesignObject* object) {
    if (IsTypeCode(type)) {
        m_lists[static_cast<std::size_t>(type)].push_back(object);
    }
}

const std::vector<CDesignObject*>& CCopyBuffer::GetList(int type) const {
    static const std::vector<CDesignObject*> kEmpty;
    return IsTypeCode(type) ? m_lists[static_cast<std::size_t>(type)] : kEmpty;
}

bool CCopyBuffer::Holds(const CDesignObject* object) const {
    return std::any_of(m_lists.begin(), m_lists.end(), [object](const auto& list) {
        return std::find(list.begin(), list.end(), object) != list.end();
    });
}

bool CCopyBuffer::IsEmpty() const {
    return std::all_of(m_lists.begin(), m_lists.end(),
                       [](const std::vector<CDesignObject*>& list) { return list.empty(); });
}

void CCopyBuffer::Clear() {
    for (std::vector<CDesignObject*>& list : m_lists) {
        list.clear();
    }
}

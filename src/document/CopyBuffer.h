#pragma once

#include <array>
#include <vector>

class CDesignObject;

// The objects the copy command took, one list per object type code 0..20.
// The lists only refer: the scene owns the objects.
class CCopyBuffer {
public:
    static constexpr int kTypeCount = 21;

    // An object of a type outside 0..20 is not kept.
    void Add(int type, CDesignObject* object);
    // Empty for a type outside 0..20.
    const std::vector<CDesignObject*>& GetList(int type) const;
    bool IsEmpty() const;
    // Whether any list holds the object.
    bool Holds(const CDesignObject* object) const;
    void Clear();

private:
    std::array<std::vector<CDesignObject*>, kTypeCount> m_lists;
};

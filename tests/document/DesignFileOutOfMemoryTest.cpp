// Its own test binary: it replaces the global operator new so that a test
// can make every large allocation fail.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "DesignFileFixture.h"
#include "objects/ObjectTypeCodes.h"
#include "objects/Test3DObject.h"
#include "objects/Text3DObject.h"
#include "support/ByteSink.h"

namespace {

// 0: every allocation is served; else one of this many bytes or more fails.
std::atomic<std::size_t> g_failingSize{0};

}  // namespace

void* operator new(std::size_t size) {
    const std::size_t failing = g_failingSize.load();
    if (failing != 0 && size >= failing) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The replaced operators pair malloc with free; GCC cannot see that they
// are the pair and warns where it inlines them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

class ScopedFailingAllocations {
public:
    explicit ScopedFailingAllocations(std::size_t bytes) { g_failingSize = bytes; }
    ~ScopedFailingAllocations() { g_failingSize = 0; }
    ScopedFailingAllocations(const ScopedFailingAllocations&) = delete;
    ScopedFailingAllocations& operator=(const ScopedFailingAllocations&) = delete;
};

class DesignFileOutOfMemoryTest : public DesignFileTest {};

TEST_F(DesignFileOutOfMemoryTest, AllocationThatFailsWhileReadingRefusesTheFile) {
    // A 3D text as long as a text may be: its mesh takes megabytes.
    auto text = std::make_unique<CText3DObject>();
    text->SetText(std::string(CText3DObject::kMaxTextLength, 'W'));
    text->SetNumber(4);
    text->Rebuild();
    text->SetScale(10.0f, 10.0f, 10.0f);
    scene->Objects(kText3DObjectType).push_back(text.release());
    const std::string design = WriteDesignBytes();

    // The open design: a wall and its version.
    scene->ClearScene();
    auto* wall = new CTest3DObject(kWallObjectType);
    wall->MakeBox({0, 0, 0}, {300, 280, 20}, 1);
    scene->AddObjectIfAbsent(kWallObjectType, wall);
    scene->SetFileVersion(6.03f);
    const OpenState before = Capture();
    messages.clear();
    {
        const ScopedFailingAllocations failing(1u << 20);
        EXPECT_FALSE(Read(design));
        // The same objects as an exported selection.
        EXPECT_FALSE(Import(ByteSink().Float(6.05f).Raw(design.substr(2300)).Bytes()));
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("記憶體不足"), std::string::npos) << messages[0];
    EXPECT_EQ(messages[1], messages[0]);
    EXPECT_TRUE(Capture() == before);

    // With the memory there, the same file opens.
    messages.clear();
    ASSERT_TRUE(Read(design));
    EXPECT_EQ(scene->Objects(kText3DObjectType).size(), 1u);
}

}  // namespace

#pragma once

// A scene whose designs a test writes to files and reads back, and the
// state a refused read must leave as it was.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DocumentFixture.h"
#include "FakeDesignFileView.h"
#include "document/DesignScene.h"
#include "foundation/BinaryReader.h"
#include "foundation/BinaryWriter.h"
#include "platform/fs/AtomicFileWriter.h"

class DesignFileTest : public SceneTest {
protected:
    std::string WriteDesignBytes() {
        const std::filesystem::path path = PathOf("written.dg6");
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        EXPECT_TRUE(scene->WriteDesignFile(writer, view));
        EXPECT_TRUE(sink.Commit().Ok());
        return ReadBytes(path);
    }

    std::string ExportSelection() {
        const std::filesystem::path path = PathOf("selection.dqv6");
        pfs::AtomicFileWriter sink(path);
        CBinaryWriter writer(sink);
        const bool written = scene->WriteSelectionExchange(writer);
        return written && sink.Commit().Ok() ? ReadBytes(path) : std::string();
    }

    bool Read(std::string_view bytes, bool apply = true) {
        WriteBytes(PathOf("read.dg6"), bytes);
        CBinaryReader reader(PathOf("read.dg6").string());
        wireframe = -1;
        return scene->ReadDesignFile(reader, view, apply, wireframe);
    }

    bool Import(std::string_view bytes) {
        WriteBytes(PathOf("read.dqv6"), bytes);
        CBinaryReader reader(PathOf("read.dqv6").string());
        return scene->ReadSelectionExchange(reader);
    }

    // What a refused read must leave as it was: every list, the version and
    // the view.
    struct OpenState {
        std::vector<std::vector<CDesignObject*>> objects;
        std::vector<std::vector<CDesignObject*>> selected;
        float version = 0.0f;
        double objectIdCounter = 0.0;
        std::string background;
        FakeDesignFileView view;
        bool operator==(const OpenState&) const = default;
    };
    OpenState Capture() {
        OpenState state;
        for (int type = 0; type < CDesignScene::kTypeCount; ++type) {
            state.objects.push_back(scene->Objects(type));
            state.selected.push_back(scene->Selected(type));
        }
        state.version = scene->GetFileVersion();
        state.objectIdCounter = scene->GetObjectIdCounter();
        state.background = doc->Settings().bgFileName3D;
        state.view = view;
        return state;
    }
    FakeDesignFileView view;
    int32_t wireframe = -1;
};

#pragma once

// An open document for 3D object tests: it keeps the undo records objects
// push, finds files that exist, and installs itself while it lives.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "objects/DocumentServices.h"
#include "objects/HistoryRecord.h"

class FakeDocumentServices : public IDocumentServices {
public:
    FakeDocumentServices() : m_previous(SetDocumentServices(this)) {}
    ~FakeDocumentServices() override { SetDocumentServices(m_previous); }
    FakeDocumentServices(const FakeDocumentServices&) = delete;
    FakeDocumentServices& operator=(const FakeDocumentServices&) = delete;

    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& /*dc*/) const override {
        return {0, 0, 100};
    }
    bool Get2DViewFullDrawFlag() const override { return true; }
    draw::COLORREF GetPlanColor(PlanColorSetting /*setting*/) const override { return 0; }
    std::string Get2DIconFolder() const override { return {}; }
    void AddMissingFile(std::string_view /*path*/) override {}

    bool HasActiveDocument() const override { return true; }
    bool GetShowTexture() const override { return showTexture; }
    SelectionBoxStyle GetSelectionBoxStyle() const override { return boxStyle; }
    gfx::Vector3 GetCameraEye() const override { return eye; }
    std::string GetTextureFolder() const override { return textureFolder; }
    std::optional<std::string> LocateFile(std::string_view path,
                                          std::string_view /*folder*/) const override {
        std::error_code error;
        if (std::filesystem::is_regular_file(std::string(path), error)) {
            return std::string(path);
        }
        return std::nullopt;
    }
    TextureMappingRecord GetCurrentMapping() const override { return currentMapping; }
    void PushUndoRecord(std::unique_ptr<HistoryRecord> record) override {
        undo.push_back(std::move(record));
    }

    bool showTexture = true;
    SelectionBoxStyle boxStyle;
    gfx::Vector3 eye;
    std::string textureFolder;
    TextureMappingRecord currentMapping;
    std::vector<std::unique_ptr<HistoryRecord>> undo;

private:
    IDocumentServices* m_previous;
};

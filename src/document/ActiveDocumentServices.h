#pragma once

#include "objects/DocumentServices.h"

// What the design objects ask of the document, answered from the active
// document (GetActiveHousDoc); without one, the answers of a new document.
// The application installs one instance with SetDocumentServices.
class CActiveDocumentServices : public IDocumentServices {
public:
    PlanDrawOrigin GetPlanDrawOrigin(const draw::DrawContext& dc) const override;
    bool Get2DViewFullDrawFlag() const override;
    draw::COLORREF GetPlanColor(PlanColorSetting setting) const override;
    std::string Get2DIconFolder() const override;
    void AddMissingFile(std::string_view path) override;
    bool HasActiveDocument() const override;
    bool GetShowTexture() const override;
    SelectionBoxStyle GetSelectionBoxStyle() const override;
    gfx::Vector3 GetCameraEye() const override;
    gfx::VertexBuffer* GetOverlayLineBuffer() const override;
    gfx::VertexBuffer* GetOverlayShapeBuffer() const override;
    std::string GetTextureFolder() const override;
    std::string GetPictureFolder() const override;
    std::optional<std::string> LocateFile(std::string_view path,
                                          std::string_view folder) const override;
    TextureMappingRecord GetCurrentMapping() const override;
    DrawingStyle GetCurrentDrawingStyle() const override;
    void PushUndoRecord(std::unique_ptr<HistoryRecord> record) override;
    // Refinement's end.
    void PickObjectAtCursor() override;
    void Repaint3DView() override;
};

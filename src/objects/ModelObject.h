#pragma once

#include <memory>
#include <string>
#include <vector>

#include "objects/3DObject.h"
#include "objects/ObjectSnapshot.h"

class CBinaryReader;
class CBinaryWriter;
class CModelPackage;
struct CostItemRecord;
struct PackagedTexture;

// A model keeps only the state every 3D object's snapshot holds.
class CModelSnapshot : public CObjectSnapshot {
public:
    using CObjectSnapshot::CObjectSnapshot;
};

// A piece of furniture or any other catalogue model: a mesh read from a
// packaged model file with its materials and embedded textures, drawn in the
// plan by the package's DXF symbol or by the outline its edge records give.
class CModelObject : public C3DObject {
public:
    // Bytes of a record before its texts.
    static constexpr int kFixedFieldsSize = 252;

    CModelObject();
    // The copy gets its own copy of the mesh.
    CModelObject(const CModelObject& other);
    ~CModelObject() override;

    std::unique_ptr<CDesignObject> Clone() const override;
    // The catalogue name stays; only the number changes.
    void SetNumber(int number) override;
    void Draw(draw::DrawContext& dc, int rop2) const override;
    HRESULT Write(CBinaryWriter& writer) const override;
    HRESULT Read(CBinaryReader& reader) override;
    void PushUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list, int value,
                          int groupCount, int type) override;
    void CommitUndoSnapshot(std::vector<std::unique_ptr<HistoryRecord>>& list,
                            std::unique_ptr<HistoryRecord> record, int groupCount) override;

    // Reads the package at path and builds mesh, materials, plan symbol and
    // outline records from it, and keeps path as the model's file; E_FAIL
    // when the model has no mesh after.
    HRESULT LoadModelFile(const std::string& path);
    // Mesh, materials and textures of the package; 0 when it has no mesh
    // data or the mesh cannot be made (the object is left as it was then).
    // Packages of version 5 and older stand on the floor around their centre.
    int LoadFromPackage(const CModelPackage& package);

    // The quotation item: name (when set), price, and the catalogue's serial
    // number, vendor and description of the model file.
    virtual void FillLibraryRecord(CostItemRecord& item) const;
    // The catalogue row key of a model file: its name without the folder
    // and without its last four characters (the extension).
    static std::string GetCostKey(const std::string& path);
    // The embedded image a material's texture name refers to: the first
    // whose name is the same or starts with the same 18 bytes. Null when
    // none does.
    static const PackagedTexture* FindPackagedTexture(const std::vector<PackagedTexture>& textures,
                                                      const std::string& textureName);
};

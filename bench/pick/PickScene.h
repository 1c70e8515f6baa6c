#pragma once

// The scene the picking benchmark picks in: 10,000 objects on a floor of
// 200 m by 200 m, nearly all of them furniture-sized models in a grid with
// varied headings, with perimeter and dividing walls and four floor slabs;
// a camera above one edge looking across it; and the same scene's
// triangles in world space in one flat array.

#include <memory>
#include <vector>

#include "BenchDocumentServices.h"
#include "document/DesignScene.h"
#include "document/DesignScenePickRules.h"
#include "platform/gfx/MathTypes.h"

struct WorldTriangle {
    gfx::Vector3 p0;
    gfx::Vector3 p1;
    gfx::Vector3 p2;
};

struct PickScene {
    CBenchDocumentServices services;
    std::unique_ptr<CDesignScene> scene;
    int objects = 0;
    std::vector<WorldTriangle> triangles;
    // The view, projection, eye and window of the cursor rays; only the
    // cursor point changes from one query to the next.
    ScenePickQuery query;
};

std::unique_ptr<PickScene> CreatePickScene();

// The cursor points of the benchmark: a 40 x 25 grid over the window.
std::vector<ScenePickQuery> CursorQueries(const PickScene& scene);

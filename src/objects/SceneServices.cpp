#include "objects/SceneServices.h"

ISceneServices* g_pCurrentScene = nullptr;

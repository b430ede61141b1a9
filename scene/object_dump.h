// Every scene object as JSON for `tarnel --dump-scene`: the fields the base shares, then the
// kind's own through its dumper (scene/<kind>_dump.cpp). Parents are written by name.
#pragma once

#include "scene/json_fields.h"
#include "scene/object_list.h"

namespace tarnel {

class SceneObject;

// A kind's dumper: writes "kind" and the kind's own fields when object is of its kind and
// returns true; returns false, writing nothing, otherwise.
using KindDumper = bool (*)(const SceneObject& object, JsonFields& json);

bool dumpSphereFields(const SceneObject& object, JsonFields& json);
bool dumpMeshFields(const SceneObject& object, JsonFields& json);
bool dumpFlameFields(const SceneObject& object, JsonFields& json);
bool dumpParticleSystemFields(const SceneObject& object, JsonFields& json);
bool dumpBillboardFields(const SceneObject& object, JsonFields& json);
bool dumpFlareFields(const SceneObject& object, JsonFields& json);

// The parent link of kinds that keep their own (billboards, flares), by name, as
// "ownParent", with whether the script named a parent it did not define.
void dumpOwnParent(const SceneObject* parent, bool notFound, JsonFields& json);

// One JSON object for the object, within the array or object json has open.
void dumpObject(const SceneObject& object, JsonFields& json);
// An array of the list's objects, in list order.
void dumpObjectList(const char* name, const ObjectList& list, JsonFields& json);

}  // namespace tarnel

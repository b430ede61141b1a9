#include "scene/object_store.h"
#include "scene/scene_object.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The smallest kind: records its destruction.
class Probe : public tarnel::SceneObject {
public:
    explicit Probe(bool* destroyed = nullptr) : destroyed(destroyed) {}
    ~Probe() override {
        if (destroyed != nullptr) *destroyed = true;
    }
    void draw(const tarnel::CameraDirector&) override {}
    void update(double) override {}

    bool* destroyed;
};

}  // namespace

TEST(SceneObject, BaseStartsWithTheDefaultsEveryKindReliesOn) {
    Probe probe;
    EXPECT_EQ(probe.parent, nullptr);
    EXPECT_EQ(probe.look.z, 1.0f);
    EXPECT_EQ(probe.right.x, 1.0f);
    EXPECT_EQ(probe.color.x + probe.color.y + probe.color.z, 3.0f);
    EXPECT_STREQ(probe.name, "");
    EXPECT_FALSE(probe.hasTexture || probe.alphaTexture || probe.moon);
    EXPECT_EQ(probe.moonSpeed, 0.5f);
    EXPECT_TRUE(probe.track.keys.empty());
}

TEST(SceneObject, StoreKeepsObjectsAliveWhileListsOnlyPointAtThem) {
    bool destroyed = false;
    std::size_t before = tarnel::sceneObjectStore().count();
    tarnel::ObjectList list;
    {
        auto made = std::make_unique<Probe>(&destroyed);
        list.push_back(tarnel::sceneObjectStore().keep(std::move(made)));
    }
    EXPECT_EQ(tarnel::sceneObjectStore().count(), before + 1);
    list.clear();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(tarnel::sceneObjectStore().keep(std::unique_ptr<Probe>()), nullptr);
    EXPECT_EQ(tarnel::sceneObjectStore().count(), before + 1);
    // Emptied here, while destroyed still lives: the store's own end comes after this frame.
    tarnel::sceneObjectStore().clear();
    EXPECT_TRUE(destroyed) << "the store owns what it keeps";
}

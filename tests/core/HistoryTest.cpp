// The window's steps on an image and a curve table without a window: what a
// repaint changed between steps, the steps kept and their memory. (Undo and
// redo of every kind of step are checked against a model in the window.)

#include <gtest/gtest.h>

#include "core/model/History.h"

namespace {

constexpr std::uint32_t kPaper = 0xffffffffu;

struct Scene {
    core::PixelSurface image;
    plot::CurveTable curves;
    model::History history;
    Scene() { image.resize(200, 100, kPaper); }

    std::vector<std::uint32_t> pixels() const
    {
        return {image.pixels(), image.pixels() + image.width() * image.height()};
    }
    static model::WindowTexts texts(const std::string& label) { return {{label, "", ""}, {"1", "", label}}; }
    // A draw request: one curve stored and a line drawn.
    void draw(double c, int y)
    {
        history.beginStep(image, curves, texts("before " + std::to_string(c)));
        curves.add({1, 0, c}, {"1", "", std::to_string(c)});
        image.moveTo(0, y);
        image.lineTo(199, y + 1);
        history.endStep(image, curves, texts("after " + std::to_string(c)));
    }
};

// A repaint between steps that erased a curve (the normal mode) stays: the
// step after it comes back to the image with that curve erased, and the
// erase itself is taken back with the step it followed.
TEST(History, WhatARepaintErasedStaysErased)
{
    Scene scene;
    scene.draw(1, 10);
    const auto drawn = scene.pixels();
    scene.image.fillRect({0, 0, 100, 100}, kPaper);  // a repaint of the left half
    const auto erased = scene.pixels();
    scene.draw(2, 50);
    scene.history.undo(scene.image, scene.curves, {});
    EXPECT_EQ(scene.pixels(), erased);
    scene.history.undo(scene.image, scene.curves, {});
    EXPECT_EQ(scene.pixels(), std::vector<std::uint32_t>(200 * 100, kPaper));
    scene.history.redo(scene.image, scene.curves, {});
    EXPECT_EQ(scene.pixels(), erased);
    EXPECT_NE(erased, drawn);
}

TEST(History, AStepThatChangesNothingIsNotKeptAndAtMostAThousandAre)
{
    Scene scene;
    scene.history.beginStep(scene.image, scene.curves, Scene::texts("same"));
    scene.history.endStep(scene.image, scene.curves, Scene::texts("same"));
    EXPECT_FALSE(scene.history.canUndo());
    for (int i = 0; i < 1005; ++i) scene.draw(i, i % 90);
    EXPECT_EQ(scene.history.undoSteps(), model::History::kStepsKept);
    // A line across the image is kept in a few hundred bytes, not the image's 80,000.
    EXPECT_LT(scene.history.bytes() - 200 * 100 * 4, model::History::kStepsKept * 1200);

    core::PixelSurface other;  // an image of another size: nothing to take back
    other.resize(10, 10, kPaper);
    EXPECT_EQ(scene.history.undo(other, scene.curves, {}), std::nullopt);
    EXPECT_EQ(scene.curves.count(), 1005);
}

}  // namespace

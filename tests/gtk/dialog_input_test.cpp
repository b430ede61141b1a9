// Real input on the dialog's GTK window: the wheel and the keys move a bar, and its setting
// and label follow at once; a save that fails is said in a message box.
#include "tests/gtk/dialog_fixture.h"

namespace tarnel::testing {
namespace {

class DialogInput : public DialogOnScreen {};

TEST_F(DialogInput, TheWheelMovesVolumeAndItsLabelAndSavedValueFollow) {
    open();
    ASSERT_EQ(barValue(platform::kVolumeBar), 100);
    xdotool("mousemove " + pointAt(platform::kVolumeBar) + " click 5 click 5 click 5");
    ASSERT_TRUE(pumpUntil([this] { return barValue(platform::kVolumeBar) < 100; })) << "the wheel did not move the bar";
    settle();
    int moved = barValue(platform::kVolumeBar);
    EXPECT_EQ(settings.Volume, static_cast<std::uint32_t>(moved));
    EXPECT_EQ(labelText(platform::kVolumeLabel), "Volume (" + std::to_string(moved) + "%)");
    gtk_button_clicked(GTK_BUTTON(control(platform::kOkButton)));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Volume, static_cast<std::uint32_t>(moved));
}

TEST_F(DialogInput, KeysOnAFocusedBarMoveItsSettingAndLabel) {
    settings.DefGamma = false;
    open();
    // The keys go to the window under the pointer (there is no window manager).
    xdotool("mousemove " + pointAt(platform::kOkButton, 0.0) + " key alt+b");
    ASSERT_TRUE(pumpUntil([this] { return gtk_widget_has_focus(control(platform::kGammaBar)); }))
        << "the brightness mnemonic did not reach the gamma bar";
    struct Press {
        const char* key;
        int gamma;  // where the bar is after it
    } presses[] = {{"End", 100}, {"Home", 0}, {"Right", 1}, {"Right", 2}, {"Page_Down", 12}, {"Page_Up", 2}};
    for (const Press& press : presses) {
        xdotool(std::string("key ") + press.key);
        ASSERT_TRUE(pumpUntil([&] { return barValue(platform::kGammaBar) == press.gamma; }))
            << press.key << " left the bar at " << barValue(platform::kGammaBar);
        EXPECT_EQ(settings.Gamma, static_cast<std::uint32_t>(press.gamma)) << press.key;
        EXPECT_EQ(labelText(platform::kBrightnessLabel), "Brightness (" + std::to_string(press.gamma + 50) + "%)");
    }
    xdotool("key alt+o");
    ASSERT_TRUE(pumpUntil([this] { return closed; })) << "Alt+O did not press OK";
    EXPECT_EQ(saved->Gamma, 2u);
}

TEST_F(DialogInput, AFailedSaveIsToldInAMessageBoxBeforeTheDialogCloses) {
    saveWorks = false;
    open();
    std::string text;
    withModal("Settings Not Saved", [this] { gtk_button_clicked(GTK_BUTTON(control(platform::kOkButton))); },
              [&](GtkWindow* box) {
                  EXPECT_FALSE(closed) << "the dialog closed before the message was answered";
                  gchar* said = nullptr;
                  g_object_get(box, "text", &said, nullptr);
                  text = said ? said : "";
                  g_free(said);
              });
    EXPECT_EQ(text, "The settings could not be saved to /home/me/.config/tarnel/settings.ini: Read-only file system");
    EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace tarnel::testing

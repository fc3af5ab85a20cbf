#include <gtest/gtest.h>

#include "../../game/powerup_table.h"
#include "support/frame_clock.h"
#include "support/gl_window.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/gui/widgets/powerup_button.h"
#include "vantle/xml/xmlcache.h"

namespace {

class PowerupButtonGL : public test::GLTest {};

TEST_F(PowerupButtonGL, AQuarterChargeShowsTheFrontOnlyFromTwelveToThree) {
    test::LoadPowerupTable("data/slow_powerups.xml", R"(<powerups><powerup name="slow">
        <level price="1"><filling_time><level time="1000"/></filling_time></level></powerup></powerups>)");
    test::FrameClock clock;
    clock.Start();
    game::CurrentPowerupSet::instance()->Load("slow:0");
    game::CurrentPowerupSet::instance()->Update(clock.At(250));

    const core::ptr<TiXmlDocument> layout =
        xml::Parse("button",
                   "<powerup_button powerup='slow' x='300' y='200' w='200' h='200'><levels><level>"
                   "<back color='0000ff'/><front color='00ff00'/></level></levels></powerup_button>");
    gui::PowerupButton button(layout->RootElement());
    button.Update();
    button.Render();

    // Centre (400, 300): the quadrant right of twelve and above three shows the front, the rest the back.
    ExpectPixels({{450, 250, 0, 255, 0},
                  {490, 210, 0, 255, 0},
                  {405, 210, 0, 255, 0},
                  {490, 295, 0, 255, 0},
                  {395, 210, 0, 0, 255},
                  {350, 250, 0, 0, 255},
                  {450, 350, 0, 0, 255},
                  {490, 305, 0, 0, 255},
                  {350, 350, 0, 0, 255}});
}

}  // namespace

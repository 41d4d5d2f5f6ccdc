#include "literal_frame.h"

#include "common/numeric.h"
#include "platform/services.h"
#include "saver/host/mScreenSaver.h"

namespace mt::test {

using mt::Add16;
using mt::Add32;
using mt::Div32;
using mt::Sub32;
using mt::ToInt32;
using scene::kTurkeyCount;

void LiteralFrameSaver::AnimateFrame() {
  if (hold) throw Held{};
  ComposeFrame();
  // 11.
  platform::Services().ProcessMessages();
  // 12. A deadline that wraps with the tick counter.
  m_lFrameStart = static_cast<int32_t>(static_cast<uint32_t>(m_lFrameStart) +
                                       static_cast<uint32_t>(m_lFrameMs));
  ++m_lFramesDone;
  mScreenSaver::WaitUntilTick(m_lFrameStart);
  if (Options().after_frame) Options().after_frame(m_lFramesDone);
}

void LiteralFrameSaver::ComposeFrame() {
  const int32_t W = m_lScreenWidth;
  const int32_t H = m_lScreenHeight;
  const auto stage = m_cStage->hDC();
  // Every sprite in drawing order: the grass patches, the active turkeys, the explosion
  // while it runs, the logo and the trees.
  auto each = [&](auto visit) {
    visit(*m_cGrassPatchRight);
    visit(*m_cGrassPatch);
    for (int32_t i = 1; i <= kTurkeyCount; ++i) {
      if (Turkey(i).Active()) visit(Turkey(i));
    }
    if (m_bExploding) visit(*m_cBomb);
    visit(*m_cLogo);
    visit(*m_cTree);
    visit(*m_cTreeSmall);
  };
  auto store = [&](cSprite& s) { s.StoreBackground(stage, s.X(), s.Y()); };

  // 1.
  m_lFrameStart = static_cast<int32_t>(platform::Services().TickCount());
  // 2.
  if (m_iFrameCount > 5) {
    for (int32_t i = 1; i <= kTurkeyCount; ++i) {
      cSprite& t = Turkey(i);
      if (t.Cell() == 2) {
        t.Cell(1);
      } else if (t.Cell() == 1) {
        t.Cell(2);
      }
    }
    m_iFrameCount = 0;
  }
  m_iFrameCount = Add16(m_iFrameCount, 1);
  // 3.
  each([&](cSprite& s) { s.RestoreBackground(stage); });
  if (Options().after_restore) Options().after_restore(m_lFramesDone);
  // 4.
  store(*m_cGrassPatchRight);
  store(*m_cGrassPatch);
  // 5.
  for (int32_t i = 1; i <= kTurkeyCount; ++i) {
    cSprite& t = Turkey(i);
    if (!t.Active()) continue;
    t.IncrementPosition();
    if (t.XDir() < 0) {
      if (t.X() < Sub32(0, t.Width())) t.X(Add32(W, t.Width()));
    } else if (t.X() > W) {
      t.X(Sub32(0, t.Width()));
    }
    if (t.YDir() < 0) {
      if (t.Y() < Sub32(0, t.Height())) t.Y(Add32(H, t.Height()));
    } else if (t.Y() > H) {
      t.Y(Sub32(0, t.Height()));
    }
    store(t);
  }
  // 6.
  if (m_bExploding) {
    m_cBomb->X(
        Sub32(Div32(m_lShotX, ToInt32(Screen().dUnitsPerPixelX)), Div32(m_cBomb->Width(), 2)));
    m_cBomb->Y(
        Sub32(Div32(m_lShotY, ToInt32(Screen().dUnitsPerPixelY)), Div32(m_cBomb->Height(), 2)));
    m_cBomb->Cell(Add32(m_cBomb->Cell(), 1));
    if (m_cBomb->Cell() > 7) {
      m_bExploding = false;
      m_cBomb->Cell(1);
    }
    store(*m_cBomb);
  }
  // 7.
  store(*m_cLogo);
  store(*m_cTree);
  store(*m_cTreeSmall);
  // 8.
  if (m_bExploding && m_bShotPending) {
    m_bShotPending = false;
    const int32_t bx = m_cBomb->X();
    const int32_t by = m_cBomb->Y();
    for (int32_t i = 1; i <= kTurkeyCount; ++i) {
      cSprite& t = Turkey(i);
      if (!t.Active()) continue;
      if (Sub32(t.X(), 20) <= bx && bx <= Add32(t.X(), 20) && Sub32(t.Y(), 20) <= by &&
          by <= Add32(t.Y(), 20)) {
        t.Cell(t.Cell() == 1 || t.Cell() == 2 ? 3 : t.Cell() == 3 ? 4 : 5);
      }
    }
  }
  // 9.
  each([&](cSprite& s) { s.TransparentDraw(stage, s.X(), s.Y(), s.Cell(), false); });
  // 10.
  each([&](cSprite& s) { s.StageToScreen(m_hScreenDC, stage); });
}

}  // namespace mt::test

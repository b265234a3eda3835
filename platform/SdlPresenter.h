#pragma once
#include <vector>

#include "platform/FrameBuffer.h"
#include "platform/FrameScaler.h"

struct SDL_Window;
struct SDL_Surface;

namespace zb {

// Shows a FrameBuffer in an SDL window through the window's own surface (no
// OpenGL context): letterboxed and scaled to whatever size the window really
// has at each call, and sending the display only the areas that changed.
class SdlPresenter {
public:
  explicit SdlPresenter(SDL_Window* window) : window_(window) {}
  ~SdlPresenter();
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;

  // Shows the top-left viewWidth x viewHeight of `frame`: the `changed`
  // areas only, or everything when `whole` is set or the window's size
  // changed since the last call.
  void present(const FrameBuffer& frame, int viewWidth, int viewHeight, const std::vector<FrameBuffer::Rect>& changed,
               bool whole);
  // A window position (in the units of mouse events) to the view pixel
  // shown there, for the window's current size.
  void toView(int windowX, int windowY, int viewWidth, int viewHeight, int& viewX, int& viewY) const;

private:
  bool drawTarget(SDL_Surface* surface, uint32_t*& pixels, int& pitch, uint32_t& alphaBits);
  void send(SDL_Surface* surface, const std::vector<FrameBuffer::Rect>& areas);

  SDL_Window* window_;
  FrameScaler scaler_;
  // Used only when the window's pixels are not 32-bit RGB: drawn here, then converted.
  SDL_Surface* staging_ = nullptr;
  int shownW_ = -1, shownH_ = -1;
  std::vector<FrameBuffer::Rect> areas_;
};

}  // namespace zb

#include "GButton.h"

bool GButton::OnMouseDown(const TPoint& local) {
  TButton::OnMouseDown(local);
  return false;
}

bool GButton::OnMouseMove(const TPoint& local) {
  TButton::OnMouseMove(local);
  return false;
}

bool GSlider::OnMouseMove(const TPoint& local) {
  TSlider::OnMouseMove(local);
  return false;
}

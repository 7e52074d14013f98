#pragma once

#include <QColor>
#include <functional>
#include <memory>

namespace zidezo {
class TUser;
}

namespace zidezo::app {

class TfrmZavoDuzade;

// The reciting world the main window hosts: it owns the screen while a learner is logged in.
// The reciting world itself arrives later; until then the window runs without one.
class IWorld {
 public:
  virtual ~IWorld() = default;
  virtual const TUser* User() const = 0;
  virtual void Start() = 0;
  virtual void Redisplay() = 0;
  // A key-down: the Windows virtual key and the modifier set (4 for Ctrl).
  virtual void KeyDown(int virtual_key, int modifiers) = 0;
  virtual bool AllowHide() const { return true; }
  virtual QColor BackgroundColour() const = 0;
};

// Creates the world for the window's current learner; returns null while there is no world.
using TWorldFactory = std::function<std::unique_ptr<IWorld>(TfrmZavoDuzade& window)>;

}  // namespace zidezo::app

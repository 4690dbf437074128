// Base classes of dialogs. The host calls the slots on its main thread.
#pragma once

#include "scn/container.h"
#include "scn/handles.h"

namespace scn {

class HostDialog {
 public:
  virtual ~HostDialog();
  virtual Bool BuildLayout();
  virtual Bool InitContent();
  virtual Bool OnHostEvent(Int32 id);
  virtual Bool OnGadgetCommand(Int32 id, const Container& msg);
  virtual Bool QueryClose();
  virtual void OnTimerTick(const Container& msg);
  virtual void OnWindowDestroyed();
  virtual Int32 OnDialogMessage(const Container& msg, Container& result);

  // Layout helpers; false while no window is open.
  Bool SetTitle(const String& title);
  Bool LayoutFlushGroup(Int32 id);
  Bool LayoutChanged(Int32 id);
  Bool GroupBegin(Int32 id, Int32 flags, Int32 columns, Int32 rows, const String& title, Int32 groupFlags);
  Bool GroupEnd();
  CustomGadget* AddCustomGadget(Int32 libraryId, const String& name, Int32 id, Int32 flags, Int32 minWidth,
                                Int32 minHeight);
  Bool Close();
  Bool IsOpen() const { return window_ != nullptr; }

  // Set by the host while the dialog has a window.
  DialogWindow* window_ = nullptr;
};

class HostModalDialog : public HostDialog {};

}  // namespace scn

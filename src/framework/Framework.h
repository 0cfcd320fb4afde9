// The window-class layer in one include.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/GdiplusSession.h"
#include "framework/GuiResources.h"
#include "framework/MessageLoop.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

// ImagingFactory.h
// Holds MakeFactory, what the picture decoder and encoder share of the Windows Imaging
// Component: its factory, made at the first call.
#pragma once

#include "ComObjects.h"

#include <windows.h>

#include <wincodec.h>

namespace ZYR {

HRESULT MakeFactory(CComPointer<IWICImagingFactory>& factory);

} // namespace ZYR

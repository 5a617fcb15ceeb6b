#include "PictureEncoder.h"

#include "ImagingFactory.h"
#include "LastErrorException.h"

namespace ZYR {

void CPictureEncoder::WritePng(const TObj::CUnicodeString& path, const unsigned char* rows, UINT width, UINT height,
                               UINT stride)
{
    CComPointer<IWICImagingFactory> factory;
    HRESULT result = MakeFactory(factory);
    CComPointer<IWICStream> stream;
    if (SUCCEEDED(result))
        result = factory->CreateStream(stream.Out());
    if (SUCCEEDED(result))
        result = stream->InitializeFromFilename(path.W(), GENERIC_WRITE);
    CComPointer<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(result))
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
    if (SUCCEEDED(result))
        result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    CComPointer<IWICBitmapFrameEncode> frame;
    if (SUCCEEDED(result))
        result = encoder->CreateNewFrame(frame.Out(), nullptr);
    if (SUCCEEDED(result))
        result = frame->Initialize(nullptr);
    if (SUCCEEDED(result))
        result = frame->SetSize(width, height);
    // The encoder may answer with the format nearest to the one asked for, which these
    // pixels are not in.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result))
        result = frame->SetPixelFormat(&format);
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(result))
        result = frame->WritePixels(height, stride, stride * height, const_cast<BYTE*>(rows));
    if (SUCCEEDED(result))
        result = frame->Commit();
    if (SUCCEEDED(result))
        result = encoder->Commit();
    if (FAILED(result))
        TObj::ThrowLastErrorException(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                                                 : static_cast<DWORD>(result));
}

} // namespace ZYR

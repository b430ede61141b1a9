// JPEG through the Windows Imaging Component: a JPEG decoder over an in-memory stream, the
// first frame converted to 24-bit colour (or kept as 8-bit grey), copied out row by row.
#include "platform/jpeg_codec.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>

namespace tarnel::platform {

namespace {

using Microsoft::WRL::ComPtr;

std::string reason(const char* step, HRESULT result) {
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (0x%08lX)", step, static_cast<unsigned long>(result));
    return text;
}

// COM for the calling thread for as long as the decode runs.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

// BGR from the codec to the red, green, blue order of every image in the system.
void swapRedAndBlue(std::vector<std::uint8_t>& pixels) {
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) std::swap(pixels[i], pixels[i + 2]);
}

HRESULT copyFrame(IWICImagingFactory& factory, IWICBitmapFrameDecode& frame, DecodedJpeg& out) {
    WICPixelFormatGUID format{};
    HRESULT hr = frame.GetPixelFormat(&format);
    if (FAILED(hr)) return hr;
    ComPtr<IWICBitmapSource> source = &frame;
    out.components = IsEqualGUID(format, GUID_WICPixelFormat8bppGray) ? 1 : 3;
    if (out.components == 3 && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        ComPtr<IWICFormatConverter> converter;
        hr = factory.CreateFormatConverter(&converter);
        if (SUCCEEDED(hr))
            hr = converter->Initialize(&frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
        if (FAILED(hr)) return hr;
        source = converter;
    }
    UINT stride = static_cast<UINT>(out.width * out.components);
    out.pixels.assign(static_cast<std::size_t>(stride) * out.height, 0);
    hr = source->CopyPixels(nullptr, stride, static_cast<UINT>(out.pixels.size()), out.pixels.data());
    if (SUCCEEDED(hr) && out.components == 3) swapRedAndBlue(out.pixels);
    return hr;
}

}  // namespace

DecodedJpeg decodeJpegWithSystemCodec(const std::uint8_t* bytes, std::size_t size, std::size_t maxPixels) {
    DecodedJpeg out;
    if (!bytes || size == 0 || size > 0x7FFFFFFFu) {
        out.error = "empty JPEG data";
        return out;
    }
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (FAILED(hr)) {
        out.error = reason("imaging component", hr);
        return out;
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    const char* step = "memory stream";
    hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size));
    if (SUCCEEDED(hr)) step = "JPEG decoder", hr = factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder);
    if (SUCCEEDED(hr)) step = "JPEG header", hr = decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand);
    if (SUCCEEDED(hr)) step = "JPEG frame", hr = decoder->GetFrame(0, &frame);
    UINT width = 0, height = 0;
    if (SUCCEEDED(hr)) hr = frame->GetSize(&width, &height);
    if (FAILED(hr)) {
        out.error = reason(step, hr);
        return out;
    }
    if (width == 0 || height == 0 || std::size_t(width) * height > maxPixels) {
        out.error = "picture too large";
        return out;
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    hr = copyFrame(*factory.Get(), *frame.Get(), out);
    if (FAILED(hr)) {
        out = DecodedJpeg{};
        out.error = reason("JPEG scan", hr);
    }
    return out;
}

}  // namespace tarnel::platform

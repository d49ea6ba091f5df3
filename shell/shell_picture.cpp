#include "shell/shell_picture.h"

#include <ocidl.h>
#include <olectl.h>

#include <map>

namespace fm::win32 {
namespace {

// Decoded pictures live as long as the program (there are only a few).
IPicture* LoadPicture(HINSTANCE instance, int resourceId) {
  static std::map<int, IPicture*> cache;
  if (auto it = cache.find(resourceId); it != cache.end()) return it->second;

  IPicture* picture = nullptr;
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), "JPEG");
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes != nullptr) {
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy != nullptr) {
      memcpy(GlobalLock(copy), bytes, size);
      GlobalUnlock(copy);
      IStream* stream = nullptr;
      if (SUCCEEDED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                       reinterpret_cast<void**>(&picture));
        stream->Release();
      } else {
        GlobalFree(copy);
      }
    }
  }
  cache[resourceId] = picture;
  return picture;
}

}  // namespace

bool DrawResourcePicture(HDC dc, HINSTANCE instance, int resourceId, const RECT& box) {
  IPicture* picture = LoadPicture(instance, resourceId);
  if (picture == nullptr) return false;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  return SUCCEEDED(picture->Render(dc, box.left, box.top, box.right - box.left,
                                   box.bottom - box.top, 0, height, width, -height, nullptr));
}

}  // namespace fm::win32

#pragma once
// Owners of the GDI resources of one paint: each is given back when its owner goes.
#include <windows.h>

class TGdiObject {
public:
    explicit TGdiObject(HGDIOBJ object = nullptr) : FObject(object) {}
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    ~TGdiObject() { Reset(); }
    HGDIOBJ Get() const { return FObject; }
    void Reset(HGDIOBJ object = nullptr) {
        if (FObject) DeleteObject(FObject);
        FObject = object;
    }

private:
    HGDIOBJ FObject;
};

// An object selected into a device context, and unselected again.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDc(dc), FOld(SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() { SelectObject(FDc, FOld); }

private:
    HDC FDc;
    HGDIOBJ FOld;
};

class TMemoryDc {
public:
    explicit TMemoryDc(HDC like) : FDc(CreateCompatibleDC(like)) {}
    TMemoryDc(const TMemoryDc&) = delete;
    TMemoryDc& operator=(const TMemoryDc&) = delete;
    ~TMemoryDc() { DeleteDC(FDc); }
    HDC Get() const { return FDc; }

private:
    HDC FDc;
};

class TWindowDc {
public:
    explicit TWindowDc(HWND window) : FWindow(window), FDc(GetDC(window)) {}
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    ~TWindowDc() { ReleaseDC(FWindow, FDc); }
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    HDC FDc;
};

class TPaintDc {
public:
    explicit TPaintDc(HWND window) : FWindow(window), FDc(BeginPaint(window, &FPaint)) {}
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;
    ~TPaintDc() { EndPaint(FWindow, &FPaint); }
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDc;
};

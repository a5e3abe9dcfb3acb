// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
// The file list filled from a folder of 100,000 entries (four in five of them
// images) as the main window fills it, its rows answering a screen reader,
// against a bare list box of rows without data filled with the same images
// found by a bare scan (the same three masks, a case-insensitive sort), in
// turns in one run, each until its rows are painted; ours also until its
// first rows are. Then every row read once through the accessibility
// interface, as a screen reader reads the list.
// Goal: within 1.2 times the bare list (medians). Under Wine, on a display:
//   wine64 list_fill_bench_win.exe [ENTRIES] [ROUNDS]
#include "app/frontend.h"
#include "bench/turns.h"
#include "forms/host.h"
#include "front/win32/text.h"
#include "front/win32/win32_front.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart) * 1e3;
}

std::wstring MakeFolder(int entries) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"vorlanes_fill_" + std::to_wstring(entries);
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        const wchar_t* extensions[] = {L".pce", L".PCE", L".zip", L".Iso", L".txt"};
        for (int i = 0; i < entries; ++i) {
            std::wstring number = std::to_wstring((i * 7919) % entries);
            const std::wstring name = folder + L"\\entry " + std::wstring(6 - number.size(), L'0') +
                                      number + extensions[i % 5];
            CloseHandle(
                CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        }
    }
    return folder;
}

bool Image(const wchar_t* name) {
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot && (!_wcsicmp(dot, L".pce") || !_wcsicmp(dot, L".zip") || !_wcsicmp(dot, L".iso"));
}

// A plain window with a list box of rows without data, filled as plainly as Windows allows.
double BareFill(HWND list, const std::wstring& folder) {
    const double start = Now();
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && Image(data.cFileName)) {
            names.emplace_back(data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_SETCOUNT, names.size(), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    return Now() - start;
}

struct Opened final : forms::Form {
    Opened() : Form(Frontend::Description()) {}
    void Raise(std::string_view, forms::Event) override {}
    forms::View& View() { return view(); }
};

HWND Child(HWND window, const wchar_t* cls, int index) {
    HWND child = nullptr;
    for (int i = 0; i <= index; ++i) {
        child = FindWindowExW(window, child, cls, nullptr);
    }
    return child;
}

LRESULT CALLBACK Plain(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        return TRUE; // the rows' drawing is not what is timed
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 11;
    const std::wstring folder = MakeFolder(entries);
    const std::string path = win32front::ToCodePage(folder);

    win32front::Win32Front front(GetModuleHandleW(nullptr));
    forms::Host host(front);
    Opened ours;
    host.Show(ours);
    HWND fileList = Child(front.Handle(ours), L"ListBox", 1); // after the directory list

    WNDCLASSW cls{};
    cls.lpfnWndProc = Plain;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"BareListWindow";
    RegisterClassW(&cls);
    HWND bare = CreateWindowW(L"BareListWindow", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              440, 380, nullptr, nullptr, cls.hInstance, nullptr);
    HWND bareList = CreateWindowW(L"LISTBOX", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                      LBS_NODATA | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  215, 60, 200, 207, bare, nullptr, cls.hInstance, nullptr);

    HWND window = front.Handle(ours);
    const auto paint = [window] {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    std::vector<double> bareMs, oursMs, firstMs;
    for (int round = 0; round <= rounds; ++round) { // the first of each a warm-up
        const bool bareFirst = round % 2 == 0;
        double b = bareFirst ? BareFill(bareList, folder) : 0;
        const double start = Now();
        ours.View().SetPath("Dir", path, nullptr);
        ours.View().ShowFiles("File", "Dir");
        paint();
        const double first = Now() - start;
        // The rest is read once the first rows have been drawn.
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        paint();
        const double o = Now() - start;
        if (!bareFirst) {
            b = BareFill(bareList, folder);
        }
        if (round > 0) {
            bareMs.push_back(b);
            oursMs.push_back(o);
            firstMs.push_back(first);
        }
    }
    const auto rows = static_cast<long>(SendMessageW(bareList, LB_GETCOUNT, 0, 0));
    std::printf("%d entries, %ld images listed, %d rounds\n", entries, rows, rounds);
    std::printf("bare list   median %8.1f ms\n", turns::Median(bareMs));
    std::printf("file list   median %8.1f ms   ratio %.2f   turn ratio %.2f\n",
                turns::Median(oursMs), turns::Median(oursMs) / turns::Median(bareMs),
                turns::TurnRatio(oursMs, bareMs));
    std::printf("first rows  median %8.1f ms   turn ratio %.2f\n", turns::Median(firstMs),
                turns::TurnRatio(firstMs, bareMs));

    // Every row read once, as a screen reader reads the list.
    IAccessible* acc = nullptr;
    const double start = Now();
    long heard = 0;
    if (fileList &&
        SUCCEEDED(AccessibleObjectFromWindow(fileList, static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&acc)))) {
        long count = 0;
        acc->get_accChildCount(&count);
        for (long row = 1; row <= count; ++row) {
            VARIANT child{};
            child.vt = VT_I4;
            child.lVal = row;
            BSTR name = nullptr;
            if (acc->get_accName(child, &name) == S_OK && name && name[0]) {
                ++heard;
            }
            SysFreeString(name);
        }
        acc->Release();
    }
    std::printf("every row's name read: %ld of %ld in %.1f ms\n", heard, rows, Now() - start);
    DestroyWindow(bare);
    return heard == rows ? 0 : 1;
}

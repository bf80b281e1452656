// A test SkinH_EL.dll whose SkinH_AttachRes is cdecl: it returns without
// removing its six arguments, which the caller's stack check must catch.
extern "C" int __cdecl SkinH_AttachRes(const unsigned char*, int, const char*, int, int, int) { return 1; }

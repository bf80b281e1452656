// A test SkinH_EL.dll that loads but lacks SkinH_AttachRes.
extern "C" int __stdcall SkinH_Detach() { return 0; }

# The system libraries of the Win32 backends: text through GDI, PNG through the Windows
# Imaging Component (COM). The converter's driver DLL is loaded at run time, not linked.
set(OXI_GDI_SYSTEM_LIBS gdi32 windowscodecs ole32 uuid)
# The wide command line of the programs comes through the shell library.
set(OXI_UI_SYSTEM_LIBS shell32)
set(OXI_D2XX_SYSTEM_LIBS)
# The wide-character entry points wherever a generic Windows name is used. (Each file that
# includes <windows.h> defines WIN32_LEAN_AND_MEAN and NOMINMAX itself.)
add_compile_definitions(UNICODE _UNICODE)

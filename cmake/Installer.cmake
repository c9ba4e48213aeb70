# The Windows installer, built by CPack with NSIS (makensis). It installs into Program Files,
# adds a Start-menu entry and registers its uninstaller; /S installs and uninstalls silently.
# The installer itself is 64-bit, like the program: a 32-bit stub would not run where only
# 64-bit Windows programs can (such as a 64-bit-only Wine).
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-XTarget\\ amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Dreisatz-Trainer")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Dreisatz-Trainer")
set(CPACK_NSIS_PACKAGE_NAME "Dreisatz-Trainer")
set(CPACK_NSIS_DISPLAY_NAME "Dreisatz-Trainer ${PROJECT_VERSION}")
set(CPACK_PACKAGE_EXECUTABLES "dreisatz;Dreisatz-Trainer")
set(CPACK_NSIS_INSTALLED_ICON_NAME "dreisatz.exe")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/docs/icons/dreisatz.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/docs/icons/dreisatz.ico")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_CONTACT "dreisatz@users.noreply.invalid")
# The installer keeps its settings under Software\<vendor>\<key>; its own uninstaller removes
# the key but leaves the vendor's key empty behind, so that goes too, when nothing else uses it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "Software\dreisatz developers\Dreisatz-Trainer"
  DeleteRegKey /ifempty SHCTX "Software\dreisatz developers"
]=])
# File times would make every build of the installer differ; the installed files get the time
# of installation instead.
set(CPACK_NSIS_DEFINES "SetDateSave off")

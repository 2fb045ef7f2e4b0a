; Korvane 1.0's setup written for NSIS, the installer that scripts/bench measures ours
; against: the same five pages in Modern UI 2 with the same texts, the same lookup of the
; Application Manager, the same four files in the same folder beside it, and the same
; hand-off. The build makes it with makensis (peer/CMakeLists.txt, the target bench_peers):
;   makensis /DCOMPRESSION=lzma|zlib /DPAYLOAD=<folder> /DLICENSE=<file> /DOUTFILE=<exe>
;            [/DFORM=instfiles|leave] [/DTARGET=amd64-unicode] bench/peer/KorvaneSetup.nsi
; COMPRESSION picks NSIS's compressor: lzma, solid (its smallest output), or zlib (its
; quickest). FORM picks where the install runs: instfiles (the default), on NSIS's progress
; page after Finish, as its own finish pages lead to; or leave, NSIS at its quickest, in
; the finish page's leave callback with no progress page, the window hidden first, as a
; publisher who cares about the hand-off writes it. PAYLOAD is a folder holding the four
; files under the names they are installed by, the cabinets uncompressed: NSIS compresses
; them itself. LICENSE is the agreement in UTF-8 with a byte order mark: without one
; makensis reads the text in the build machine's encoding, and resources/license.txt is
; cp1252. TARGET is x86-unicode unless given: the 64-bit stub serves where the benchmarks
; time 64-bit programs, on a machine that runs no 32-bit code.

!ifndef COMPRESSION
  !error "COMPRESSION is not defined (lzma or zlib)"
!endif
!ifndef PAYLOAD
  !error "PAYLOAD is not defined (the folder of the four files)"
!endif
!ifndef LICENSE
  !error "LICENSE is not defined (the agreement in UTF-8 with a byte order mark)"
!endif
!ifndef OUTFILE
  !error "OUTFILE is not defined"
!endif

!ifndef FORM
  !define FORM instfiles
!endif
!if "${FORM}" != "instfiles"
!if "${FORM}" != "leave"
  !error "FORM must be instfiles or leave"
!endif
!endif

!if "${COMPRESSION}" == "lzma"
  SetCompressor /SOLID lzma
!else if "${COMPRESSION}" == "zlib"
  SetCompressor zlib
!else
  !error "COMPRESSION must be lzma or zlib"
!endif

; Unicode: makensis reads the license as UTF-8 and, in a UTF-8 locale, would store it for
; an ANSI installer in UTF-8 too, which an ANSI page shows garbled.
!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}

; makensis works in the script's own folder.
!define PICTURES "../../resources/pictures"
!define PRODUCT "Korvane 1.0"
!define APP_PATHS_ENTRY "SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\CEAppMgr.exe"
!define REGISTRATION_URL "http://www.orbelwick.example/en_registrace.php"
!define SUPPORT_ADDRESS "mailto:help@orbelwick.example"

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

Name "${PRODUCT}"
Caption "Orbelwick ${PRODUCT} Instalation Wizard"
OutFile "${OUTFILE}"
; It creates folders beside the Application Manager, under Program Files.
RequestExecutionLevel admin
BrandingText " "

VIProductVersion 1.0.0.0
VIAddVersionKey /LANG=1033 CompanyName "Orbelwick"
VIAddVersionKey /LANG=1033 FileDescription "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 FileVersion "1.0"
VIAddVersionKey /LANG=1033 LegalCopyright "Copyright © 2003 Orbelwick"
VIAddVersionKey /LANG=1033 ProductName "${PRODUCT}"
VIAddVersionKey /LANG=1033 ProductVersion "1.0"

Var AppManager

; ---- Pages ------------------------------------------------------------------------
!define MUI_ICON "${PICTURES}/computer.ico"
; White beside the welcome text, as on our welcome page.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/watermark.bmp"

!define MUI_WELCOMEPAGE_TITLE "Welcome to the Orbelwick ${PRODUCT} Installation Wizard."
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_WELCOMEPAGE_TEXT "This program will download and install Orbelwick ${PRODUCT} on your Windows CE device.$\r$\n$\r$\nOrbelwick Software Ltd.$\r$\n14 Mapmakers Row, Exampleton$\r$\nTel. +1 555 0100$\r$\nFax. +1 555 0101$\r$\nwww.orbelwick.example$\r$\ne-mail: help@orbelwick.example$\r$\n$\r$\nMobile mapping software$\r$\nDigital cartography$\r$\nCustom development"
!insertmacro MUI_PAGE_WELCOME

Page custom ProductPage

!define MUI_PAGE_HEADER_TEXT "License agreement"
!define MUI_PAGE_HEADER_SUBTEXT "Please, read the license agreement carefully.$\r$\nTo continue, click Next"
!define MUI_LICENSEPAGE_TEXT_TOP ""
!define MUI_LICENSEPAGE_TEXT_BOTTOM " "
!define MUI_LICENSEPAGE_RADIOBUTTONS
!define MUI_LICENSEPAGE_RADIOBUTTONS_TEXT_ACCEPT "I &accept the license agreement"
!define MUI_LICENSEPAGE_RADIOBUTTONS_TEXT_DECLINE "I do &not accept the license agreement"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"

Page custom RegistrationPage

; Our finish page is the last before the install, and its Finish starts it; Modern UI's
; own finish page comes after the install, so this one is an nsDialogs page of the same
; texts whose button reads Finish.
!if "${FORM}" == "leave"
Page custom FinishPage FinishPageLeave
!else
Page custom FinishPage

; The install's progress, closed when it is done.
!insertmacro MUI_PAGE_INSTFILES
!endif

!insertmacro MUI_LANGUAGE "English"

; Solid compression unpacks the data block from its start: what the pages need comes
; first, before the payload.
ReserveFile /plugin nsDialogs.dll
ReserveFile "${PICTURES}/checkmark.ico"

; ---- The Application Manager --------------------------------------------------------
; Reads its App Paths entry in the registry view selected: the default value, expanded,
; without one pair of enclosing quotes.
Function ReadAppManagerEntry
  ReadRegStr $AppManager HKLM "${APP_PATHS_ENTRY}" ""
  ExpandEnvStrings $AppManager $AppManager
  StrLen $0 $AppManager
  StrCpy $1 $AppManager 1
  StrCpy $2 $AppManager 1 -1
  ${If} $0 >= 2
  ${AndIf} $1 == '"'
  ${AndIf} $2 == '"'
    IntOp $0 $0 - 2
    StrCpy $AppManager $AppManager $0 1
  ${EndIf}
FunctionEnd

Function .onInit
  ; A 32-bit program on 64-bit Windows sees the 32-bit registry view first, where a
  ; 64-bit Application Manager has no entry: the 64-bit view follows.
  Call ReadAppManagerEntry
  ${If} $AppManager == ""
  ${AndIf} ${RunningX64}
    SetRegView 64
    Call ReadAppManagerEntry
    SetRegView default
  ${EndIf}
  ; Only a file will do, not a folder of that name.
  ${If} $AppManager == ""
  ${OrIfNot} ${FileExists} $AppManager
  ${OrIf} ${FileExists} "$AppManager\*.*"
    MessageBox MB_ICONSTOP "Mirosoft ActiveSync is not installed on your PC. Install it first and then run the setup again."
    Abort
  ${EndIf}
  ${GetParent} $AppManager $INSTDIR
  StrCpy $INSTDIR "$INSTDIR\Orbelwick\Korvane"
FunctionEnd

; ---- Product information page -------------------------------------------------------
; One check mark, loaded at its own size (16 x 16) for the first line and shown by all five.
Var Checkmark

!macro ProductLine Y TEXT
  ${NSD_CreateIcon} 5u ${Y}u 20u 20u ""
  Pop $0
  ${If} $Checkmark == ""
    LoadAndSetImage /STRINGID $0 ${IMAGE_ICON} ${LR_LOADFROMFILE} "$PLUGINSDIR\checkmark.ico" $Checkmark
  ${Else}
    SendMessage $0 ${STM_SETICON} $Checkmark 0
  ${EndIf}
  !define /math TEXT_Y ${Y} + 1
  ${NSD_CreateLabel} 19u ${TEXT_Y}u 262u 8u "${TEXT}"
  !undef TEXT_Y
  Pop $0
!macroend

Function ProductPage
  !insertmacro MUI_HEADER_TEXT "Product Information" "Please read the information about the product$\r$\nand click Next to continue"
  InitPluginsDir
  File "/oname=$PLUGINSDIR\checkmark.ico" "${PICTURES}/checkmark.ico"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0u 2u 281u 12u "Orbelwick ${PRODUCT} supports:"
  Pop $0
  !insertmacro ProductLine 17 "Simple creating free maps for you Pocket PC"
  !insertmacro ProductLine 34 "Pushpins to mark places"
  !insertmacro ProductLine 51 "Full-screen map viewing"
  !insertmacro ProductLine 68 "Source map image files of many formats (jpg, gif, bmp, tiff… )"
  !insertmacro ProductLine 85 "Zoom in and out of large maps"
  nsDialogs::Show
  ${NSD_FreeIcon} $Checkmark
  StrCpy $Checkmark ""
FunctionEnd

; ---- Registration page ----------------------------------------------------------------
; The places of our page; a label that NSIS's dialog font would cut short is wider here.
; The links are blue, as on our page: without a colour of their own Wine draws them pale.
Function RegistrationPage
  !insertmacro MUI_HEADER_TEXT "Registration" " "
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0u 3u 285u 8u "Now you can register online and join our mailing list. "
  Pop $0
  ${NSD_CreateLabel} 0u 19u 285u 21u "This entitles you for free updates and support. You can also receive information about new updates, products, discounts and latest news. "
  Pop $0
  ${NSD_CreateLabel} 0u 46u 110u 8u "You can register now or later at:"
  Pop $0
  ${NSD_CreateLabel} 0u 69u 285u 8u "If you have any comments or suggestions, please contact us on:"
  Pop $0
  ${NSD_CreateLink} 111u 45u 165u 11u "${REGISTRATION_URL}"
  Pop $0
  SetCtlColors $0 0000FF transparent
  ${NSD_OnClick} $0 OpenRegistration
  ${NSD_CreateLink} 112u 80u 165u 11u "${SUPPORT_ADDRESS}"
  Pop $0
  SetCtlColors $0 0000FF transparent
  ${NSD_OnClick} $0 OpenSupport
  nsDialogs::Show
FunctionEnd

Function OpenRegistration
  Pop $0
  ExecShell "open" "${REGISTRATION_URL}"
FunctionEnd

; The mail names the product in its subject.
Function OpenSupport
  Pop $0
  ExecShell "open" "${SUPPORT_ADDRESS}?subject=Question (${PRODUCT})"
FunctionEnd

; ---- Finish page ----------------------------------------------------------------------
; The places of our page; the third text is taller here, for NSIS's dialog font.
Function FinishPage
  !insertmacro MUI_HEADER_TEXT "Finish Window" "You are about to install the software to the device.$\r$\nPress Finish to do so."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 6u 7u 274u 17u "This setup is now ready to install Orbelwick ${PRODUCT} to your Windows CE device"
  Pop $0
  ${NSD_CreateLabel} 6u 26u 265u 23u "Please connect your &Windows CE device to your computer if you have not already done so."
  Pop $0
  ${NSD_CreateLabel} 6u 50u 279u 34u "If you do not have access to your device at this moment, you may continue with the installation and the ActiveSync communications manager will automatically install this software on your Windows CE device the next time you connect it to this computer."
  Pop $0
  ${NSD_CreateLabel} 6u 86u 275u 23u "Press the Finish button to begin the installation or the Back button to modify the installation information"
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:&Finish"
  nsDialogs::Show
FunctionEnd

; ---- The install ----------------------------------------------------------------------
; The four files beside each other, then the Application Manager with both INI files,
; the product's first. A folder that cannot be made ends the install with a box.
!macro Install ON_FOLDER_FAILURE
  ClearErrors
  SetOutPath $INSTDIR
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Unable to create the folder."
    ${ON_FOLDER_FAILURE}
  ${EndIf}
  File "${PAYLOAD}/COMMON1.INI"
  File "${PAYLOAD}/COMMON1_US.PPC_ARM.CAB"
  File "${PAYLOAD}/KORVANE.INI"
  File "${PAYLOAD}/KORVANE_US.PPC_ARM.CAB"
  ClearErrors
  Exec '"$AppManager" "$INSTDIR\Korvane.ini" "$INSTDIR\Common1.ini"'
  ${If} ${Errors}
    MessageBox MB_ICONSTOP "Unable to start the Windows CE Application Manager."
  ${EndIf}
!macroend

!if "${FORM}" == "leave"
; Finish leaves the last page, and the installer ends once this returns: no section runs.
; The window goes first, as ours does before its install.
Function FinishPageLeave
  HideWindow
  !insertmacro Install Quit
FunctionEnd

; makensis wants a section; with no progress page nothing runs it.
Section
SectionEnd
!else
Section
  SetAutoClose true
  !insertmacro Install Abort
SectionEnd
!endif

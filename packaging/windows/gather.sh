#!/usr/bin/env bash
# Gathers into a folder dentivel.exe and exactly what it needs on a Windows
# machine that has nothing installed, and writes the uninstaller's list of
# those files for the installer.
#   gather.sh dentivel.exe <Qt for Windows prefix> qtbase_fr.qm <folder> <uninstall list>
# The DLLs are found by following the imports of the program and of the two
# plugins Qt loads at run time (the Windows platform and its native style),
# from Qt's and MinGW's folders; DLLs that Windows itself has are left out.
set -euo pipefail
exe=$1 qt=$2 qm=$3 out=$4 list=$5
triple=x86_64-w64-mingw32
runtime=$(dirname "$($triple-g++-posix -print-file-name=libstdc++-6.dll)")
search=("$qt/bin" "$runtime" "/usr/$triple/lib")

rm -rf "$out"
mkdir -p "$out/platforms" "$out/styles" "$out/translations"
cp "$exe" "$out/"
cp "$qt/plugins/platforms/qwindows.dll" "$out/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$out/styles/"
cp "$qm" "$out/translations/"
# Qt looks for its plugins and translations beside the program, not where
# it was built.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$out/qt.conf"

queue=("$out/$(basename "$exe")" "$out"/platforms/*.dll "$out"/styles/*.dll)
while ((${#queue[@]})); do
    binary=${queue[0]}
    queue=("${queue[@]:1}")
    for dll in $($triple-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [[ -e "$out/$dll" ]] && continue
        for dir in "${search[@]}"; do
            if [[ -f "$dir/$dll" ]]; then
                cp "$dir/$dll" "$out/"
                queue+=("$out/$dll")
                break
            fi
        done
    done
done
# Neither Qt's release build nor MinGW's runtime needs its symbols to run.
find "$out" -name '*.exe' -o -name '*.dll' | xargs $triple-strip --strip-unneeded

# The uninstaller removes these files and folders, and nothing else.
(cd "$out" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
 cd "$out" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
) > "$list"

#!/bin/sh
# Makes (setup) or removes (cleanup) a settings folder that cannot be written, not even by root:
# ext4's immutable attribute. Where the file system has no such attribute the folder stays writable
# and the test that needs it skips.
#   usage: immutable_folder.sh setup|cleanup FOLDER
folder=$2
chattr -i "$folder" 2>/dev/null
rm -rf "$folder"
if [ "$1" = setup ]; then
  mkdir -p "$folder"
  printf 'Menu\\ListWithPath=Boolean:False\r\n' > "$folder/Quorvel.ini"
  chattr +i "$folder" 2>/dev/null || true
fi
exit 0

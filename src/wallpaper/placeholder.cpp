// Wallpaper setting lives beside this file.

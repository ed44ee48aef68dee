/* Resource ids shared by vornacle.rc and the code. */
#pragma once

#define IDI_VORNACLE 1           /* the icon group of the program and of both windows */
#define IDI_VORNACLE_IMAGE 30001 /* its one 16 x 16 image */
#define IDI_VORNACLE_LARGE 2     /* the same icon in frames of 20 to 64 pixels, for the display scales */
#define IDI_GLYPH_IP 101
#define IDI_GLYPH_HOSTNAME 102
#define IDR_ABOUT_PICTURE 201 /* the About window's background, a JPEG */
#define IDC_HAND_POINTER 301  /* the pointer over the About window's links */

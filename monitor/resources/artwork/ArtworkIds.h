#pragma once
// Resource ids of Orvello's generated pictures (the build writes them into artwork.rc).
// Usable from C++ and from resource scripts.

#define ORV_ICON_PROGRAM 128    /* icon: 16, 32 and 48 pixels */
#define ORV_BMP_SPLASH 141      /* 600 x 430 */
#define ORV_BMP_SKIN 142        /* 360 x 355, key colour 0x00FF00 outside the shape */
#define ORV_CURSOR_BUTTON 193   /* pointer over buttons */
#define ORV_BMP_CAMERA_ICON 198 /* 38 x 26 */
#define ORV_BMP_TARGET_ICON 257 /* 35 x 36, magenta pixels are transparent */

/* Buttons, 74 x 21 unless noted. */
#define ORV_BMP_AUDIO_SET_DOWN 203
#define ORV_BMP_MASK_BUTTON 204
#define ORV_BMP_REC_AUDIO_ON 205
#define ORV_BMP_REC_AUDIO_OFF 206
#define ORV_BMP_VIDEO_SET_DOWN 207
#define ORV_BMP_SETTINGS 208
#define ORV_BMP_SIZE0_ON 209
#define ORV_BMP_SIZE0 210
#define ORV_BMP_SIZE1_ON 211
#define ORV_BMP_SIZE1 212
#define ORV_BMP_SIZE2_ON 213
#define ORV_BMP_SIZE2 214
#define ORV_BMP_SIZE3_ON 215
#define ORV_BMP_SIZE3 216
#define ORV_BMP_SIZE4_ON 217
#define ORV_BMP_SIZE4 218
#define ORV_BMP_SIZE5_ON 219
#define ORV_BMP_SIZE5 220
#define ORV_BMP_CLOCK_DOWN 221
#define ORV_BMP_CLOCK 222
#define ORV_BMP_TIMER_DOWN 223
#define ORV_BMP_TIMER 224
#define ORV_BMP_SNAPSHOT_DOWN 225
#define ORV_BMP_SNAPSHOT 226
#define ORV_BMP_TIMER_SET_DOWN 227
#define ORV_BMP_TIMER_SET 228
#define ORV_BMP_RECORDER_ON 229
#define ORV_BMP_RECORDER 231
#define ORV_BMP_ABOUT_DOWN 232
#define ORV_BMP_ABOUT 233
#define ORV_BMP_MASK_CLOSE 235       /* 14 x 14 */
#define ORV_BMP_CLOSE 236            /* 14 x 14 */
#define ORV_BMP_MASK_MINIMIZE 238    /* 14 x 14 */
#define ORV_BMP_MINIMIZE 239         /* 14 x 14 */
#define ORV_BMP_MASK_AUDIO_STRIP 240 /* 164 x 15 */
#define ORV_BMP_AUDIO_STRIP 242      /* 164 x 15 */
#define ORV_BMP_LAMP_OFF 246         /* 18 x 21 */
#define ORV_BMP_MASK_LAMP 247        /* 18 x 21 */
#define ORV_BMP_LAMP_ON 248          /* 18 x 21 */
#define ORV_BMP_REC_AUDIO_DISABLED 249
#define ORV_BMP_MONITOR_ON 251
#define ORV_BMP_MONITOR 252
#define ORV_BMP_SIZE6 260
#define ORV_BMP_SIZE6_ON 261

// The maker's addresses, chosen once: every text that names them is built from these.
#ifndef JUMPLET_SITE_H
#define JUMPLET_SITE_H

#define SITE_HOST           "jumplet.example.org"
#define SITE_ADDRESS        "http://" SITE_HOST
#define SUPPORT_EMAIL       "support@" SITE_HOST
#define ONLINE_HELP_ADDRESS SITE_ADDRESS "/jumplet/help.html"
#define FACEBOOK_ADDRESS    SITE_ADDRESS "/facebook"
#define TWITTER_SHARE_ADDRESS SITE_ADDRESS "/twitter/share?url="
#define GOOGLEPLUS_ADDRESS  SITE_ADDRESS "/gp/"
#define HOME_PAGE_ADDRESS   SITE_ADDRESS "/"

#endif

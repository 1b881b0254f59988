# -*- coding: utf-8 -*-
# Gate lights
"""<parameters>
 <company>ACME</company>
 <title>Gate</title>
 <version>2</version>
 <resources>
  <resource>zones.json</resource>
  <resource>beep.wav</resource>
 </resources>
</parameters>"""


import time
print('gate ok')
